// The command line's arguments and key from arbitrary bytes: the input split
// at zero bytes is the argument list; when it parses, its key is read with
// every key type and length. Besides crashes and sanitizer reports it checks
// that a refused key is never echoed in the message.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "KeyArgument.h"
#include "cipher/TextKeyBytes.h"

namespace {

// True when `text` holds a byte that no refusal message uses by itself, so
// finding all of `text` in a message means the message echoes it.
bool Distinctive(const std::string& text) {
    using tarvoss::kTextKeyOutsideCodePage;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool inMessages = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                                (byte >= '0' && byte <= '9') || c == ' ' || c == '"' || c == '-' || c == ';' ||
                                c == ',' || c == '.' || c == '(' || c == ')' ||
                                // the refusal of a text key shows a few letters of its character set
                                kTextKeyOutsideCodePage.find(c) != std::string_view::npos;
        if (!inMessages) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarvoss;
    std::vector<std::string> arguments(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            arguments.emplace_back();
        else
            arguments.back() += static_cast<char>(data[i]);
    }
    cli::CliOptions options;
    std::string error;
    cli::ParseCommandLine(arguments, options, error);

    // The whole input as a key, and the key the command line found.
    const std::string whole(reinterpret_cast<const char*>(data), size);
    for (const std::string& text : {whole, options.key}) {
        for (const char* type : {"numerical", "text"}) {
            for (const char* length : {"128", "96", "64", "32"}) {
                CipherKey key;
                error.clear();
                if (!cli::ReadKey(type, length, text, key, error) && Distinctive(text) &&
                    error.find(text) != std::string::npos) {
                    std::fprintf(stderr, "key fuzzer: the refused key is shown in \"%s\"\n", error.c_str());
                    std::abort();
                }
            }
        }
    }
    return 0;
}
