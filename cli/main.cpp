// tarvoss-cli: batch encryption and decryption from the command line, on the
// same run as the window's Go! page.

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "CliHost.h"
#include "CommandLine.h"
#include "HelpText.h"
#include "KeyArgument.h"
#include "ListedPaths.h"
#include "ProgramVersion.h"
#include "RecoverCommand.h"
#include "batch/ListedPath.h"
#include "batch/RunInputs.h"
#include "batch/RunState.h"
#include "cipher/FileTransforms.h"
#include "cipher/KeyWipe.h"
#include "cipher/ProcessSignals.h"
#include "common/ShownName.h"
#include "common/Wipe.h"
#include "platform/Console.h"
#include "platform/FileAttributes.h"
#include "platform/InterruptWatch.h"
#include "platform/ProgramArguments.h"

namespace tarvoss::cli {
namespace {

constexpr int kAllSucceeded = 0;
constexpr int kSomethingFailed = 1;
constexpr int kBadCommandLine = 2;

int Refuse(const std::string& error) {
    std::fprintf(stderr, "tarvoss-cli: %s\nTry \"tarvoss-cli --help\" for more.\n", error.c_str());
    return kBadCommandLine;
}

// Longer lines are refused: no key is anywhere near this long.
constexpr std::size_t kLongestKeyLine = 256;

// Reads the key's line from standard input a byte at a time, straight into
// one buffer of fixed size: no stream buffer or grown-out string is left
// holding a copy of the key.
bool ReadKeyLine(std::string& key) {
    WipeText(key);
    key.reserve(kLongestKeyLine);
    for (;;) {
        char c = 0;
        if (!ReadInputByte(c)) break;
        if (c == '\n') return true;
        if (key.size() == kLongestKeyLine) {
            WipeText(key);
            return false;
        }
        key += c;
        WipeBytes(&c, 1);
    }
    return !key.empty();
}

// Overwrites the key's text (the value of --key) in the process's own
// arguments and in the system's copy of its command line, so that neither
// the process list nor a memory image shows it. `arguments` are the
// program's arguments as the engine reads them, `argv` main's.
void WipeKeyArgument(const std::vector<std::string>& arguments, int argc, char** argv) {
    const auto wipeArgv = [&](std::size_t index, std::size_t from) {
        const int at = static_cast<int>(index) + 1;
        if (at < argc && std::strlen(argv[at]) >= from) WipeBytes(argv[at] + from, std::strlen(argv[at]) - from);
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--") return;
        if (arguments[i] == "--key" && i + 1 < arguments.size()) {
            WipeFromCommandLine(arguments[i + 1]);
            wipeArgv(i + 1, 0);
            ++i;
        } else if (arguments[i].rfind("--key=", 0) == 0) {
            WipeFromCommandLine(std::string_view(arguments[i]).substr(6));
            wipeArgv(i, 6);
        }
    }
}

int RunAndWatch(CliHost& host, RunInputs inputs, const CliOptions& options) {
    InterruptWatch interrupts;  // before the worker exists, so it inherits the mask
    RunState state;
    RunResult result;
    std::atomic<bool> finished{false};
    if (!StartWorker(state, host, std::move(inputs), [&](const RunResult& r) {
            result = r;
            finished = true;
            interrupts.Wake();
        })) {
        std::fprintf(stderr, "tarvoss-cli: cannot start the thread to process the items\n");
        return kSomethingFailed;
    }

    int interruptCount = 0;
    while (!finished) {
        if (interrupts.Wait(100) == InterruptWatch::Event::Interrupt) {
            ++interruptCount;
            if (interruptCount == 1) {
                state.StopRequested = true;
                host.Note(options.inPlace ? "stopping after the file in work (in place it is always finished)"
                                          : "stopping after the file in work; press Ctrl+C again to abandon its copy");
            } else if (interruptCount == 2 && !options.inPlace) {
                state.AbandonCopy = true;
                host.Note("abandoning the copy in work");
            }
        }
        host.DrawProgress(state.filePercent);
    }
    state.WorkerHandle.join();
    host.Finish();
    const bool clean = result.outcome == RunOutcome::Completed && result.failedItems == 0;
    return clean ? kAllSucceeded : kSomethingFailed;
}

int Main(std::vector<std::string> arguments) {
    CliOptions options;
    std::string error;
    if (!ParseCommandLine(arguments, options, error)) return Refuse(error);
    if (options.help) {
        std::fputs(HelpText(), stdout);
        return kAllSucceeded;
    }
    if (options.version) {
        std::printf("tarvoss-cli %s\n", kProgramVersion);
        return kAllSucceeded;
    }
    // From here on the process holds a key: every copy is wiped once the
    // next one is made, and the rest when the run is over.
    HoldKeyInProcess();
    for (std::string& argument : arguments) WipeText(argument);
    const WipedAtExit<std::string> wipeKeyText(options.key);
    if (options.recover) {
        if (options.keyFromStdin && !ReadKeyLine(options.key)) return Refuse("no key on standard input");
        return RunRecover(options);
    }
    if (options.keyFromStdin && !ReadKeyLine(options.key)) return Refuse("no key on standard input");
    RunInputs inputs;
    inputs.direction = options.direction;
    inputs.texts = CommandLineTexts();
    const bool read = ReadKey(options.keyType, options.keyLength, options.key, inputs.key, error);
    WipeText(options.key);
    if (!read) return Refuse(error);
    std::vector<RunRow> rows;
    if (!ListRows(options.paths, rows, error)) return Refuse(error);
    if (!options.inPlace) {
        inputs.destination = NormalisePath(options.destination);
        if (!IsDirectory(inputs.destination))
            return Refuse("the destination \"" + ShownPath(options.destination) + "\" is not an existing folder");
    }
    CliHost host(std::move(rows), options);
    return RunAndWatch(host, std::move(inputs), options);
}

}  // namespace
}  // namespace tarvoss::cli

int main(int argc, char** argv) {
    tarvoss::TakeOverProcessSignals();
    tarvoss::WriteConsoleTextAsUtf8();
    std::vector<std::string> arguments = tarvoss::ProgramArguments(argc, argv);
    tarvoss::cli::WipeKeyArgument(arguments, argc, argv);
    return tarvoss::cli::Main(std::move(arguments));
}
