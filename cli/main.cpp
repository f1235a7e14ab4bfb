// tarvoss-cli: batch encryption and decryption from the command line, on the
// same run as the window's Go! page.

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "CliHost.h"
#include "CommandLine.h"
#include "HelpText.h"
#include "InterruptWatch.h"
#include "KeyArgument.h"
#include "ListedPaths.h"
#include "ProgramVersion.h"
#include "batch/RunState.h"
#include "cipher/FileTransforms.h"
#include "platform/FileAttributes.h"

namespace tarvoss::cli {
namespace {

constexpr int kAllSucceeded = 0;
constexpr int kSomethingFailed = 1;
constexpr int kBadCommandLine = 2;

int Refuse(const std::string& error) {
    std::fprintf(stderr, "tarvoss-cli: %s\nTry \"tarvoss-cli --help\" for more.\n", error.c_str());
    return kBadCommandLine;
}

bool ReadKeyLine(std::string& key) {
    if (!std::getline(std::cin, key)) return false;
    if (!key.empty() && key.back() == '\r') key.pop_back();
    return true;
}

int RunAndWatch(CliHost& host, const CliOptions& options) {
    InterruptWatch interrupts;  // before the worker exists, so it inherits the mask
    RunState state;
    RunResult result;
    std::atomic<bool> finished{false};
    if (!StartWorker(state, host, options.direction, [&](const RunResult& r) {
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
                host.Note(options.inPlace
                              ? "stopping after the file in work (in place it is always finished)"
                              : "stopping after the file in work; press Ctrl+C again to abandon its copy");
            } else if (interruptCount == 2 && !options.inPlace) {
                AbandonCopyRequested() = true;
                host.Note("abandoning the copy in work");
            }
        }
        host.DrawProgress();
    }
    state.WorkerHandle.join();
    host.Finish();
    const bool clean = result.outcome == RunOutcome::Completed && result.failedItems == 0;
    return clean ? kAllSucceeded : kSomethingFailed;
}

int Main(const std::vector<std::string>& arguments) {
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
    if (options.keyFromStdin && !ReadKeyLine(options.key)) return Refuse("no key on standard input");
    KeyEntry key;
    if (!ReadKey(options.keyType, options.keyLength, options.key, key, error)) return Refuse(error);
    std::vector<RunRow> rows;
    if (!ListRows(options.paths, rows, error)) return Refuse(error);
    std::string destination;
    if (!options.inPlace) {
        destination = AbsolutePath(options.destination);
        if (!IsDirectory(destination)) return Refuse("the destination \"" + options.destination + "\" is not an existing folder");
    }
    CliHost host(std::move(rows), options, std::move(key), destination);
    return RunAndWatch(host, options);
}

}  // namespace
}  // namespace tarvoss::cli

int main(int argc, char** argv) {
    return tarvoss::cli::Main(std::vector<std::string>(argv + 1, argv + argc));
}
