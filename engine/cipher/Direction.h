#pragma once
// Which way a transform goes.

namespace tarvoss {

enum class Direction { Encrypt, Decrypt };

}  // namespace tarvoss
