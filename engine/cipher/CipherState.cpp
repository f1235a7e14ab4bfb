#include "cipher/CipherState.h"

namespace tarvoss {

CipherState& TheCipherState() {
    static CipherState state;
    return state;
}

}  // namespace tarvoss
