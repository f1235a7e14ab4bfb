#pragma once
// The key as the command line takes it: a numerical key is its parts joined by
// "-", a text key is the text itself. Checked as strictly as the window checks
// a typed key, so a run never starts with a key the window would refuse.
// The run gets the key words assembled here.

#include <string>

#include "cipher/KeyMaterial.h"

namespace tarvoss::cli {

// `type` "numerical" or "text", `length` "128", "96" or "64". Checks the key
// and assembles it into `key` once; false with `error` naming what is wrong
// (`key` is then left as it was).
bool ReadKey(const std::string& type, const std::string& length, const std::string& text, CipherKey& key,
             std::string& error);

}  // namespace tarvoss::cli
