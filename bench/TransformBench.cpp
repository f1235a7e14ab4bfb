// One file transform from the command line, with a fixed key, for timing the
// transforms without a batch run around them:
//   tarvoss_transform_bench encrypt|decrypt FILE            in place
//   tarvoss_transform_bench encrypt|decrypt SOURCE COPY     into a copy
// Exit status 0 when the transform succeeded, 1 otherwise.

#include "cipher/FileTransforms.h"
#include "cipher/ProcessSignals.h"
#include "platform/LastError.h"

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    using namespace tarvoss;
    TakeOverProcessSignals();  // as the programs do
    if (argc < 3 || argc > 4 || (std::strcmp(argv[1], "encrypt") != 0 && std::strcmp(argv[1], "decrypt") != 0)) {
        std::fprintf(stderr, "usage: %s encrypt|decrypt FILE [COPY]\n", argv[0]);
        return 2;
    }
    const bool encrypt = std::strcmp(argv[1], "encrypt") == 0;
    const CipherKey key{0x01234567, 0x89ABCDEF, 0xFEDCBA98, 0x76543210};
    FileProgress progress{0};
    bool done = false;
    if (argc == 3)
        done = static_cast<bool>(encrypt ? EncryptFileInPlace(progress, argv[2], key, 4, nullptr)
                                         : DecryptFileInPlace(progress, argv[2], key, 4, nullptr));
    else
        done = encrypt ? EncryptFileToCopy(progress, argv[2], argv[3], key, 4, nullptr)
                       : DecryptFileToCopy(progress, argv[2], argv[3], key, 4, nullptr);
    if (!done) {
        std::fprintf(stderr, "%s", DescribeError(GetLastError()).c_str());
        return 1;
    }
    return 0;
}
