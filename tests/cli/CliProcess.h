#pragma once
// Runs the real tarvoss-cli: arguments, standard input from a text, standard
// output and error caught in files. A process can be signalled while it runs.
// A run that does not end within a generous limit is killed, so a hang shows
// as a failure instead of a stuck test. A process can run as another user
// (the suite, run as root, checks what an ordinary user meets).

#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/TempDir.h"

namespace tarvoss::testing {

struct CliResult {
    int status = -1;  // the exit status; -1 when the process did not exit normally
    std::string out;
    std::string err;
};

class CliProcess {
public:
    static constexpr uid_t kSameUser = static_cast<uid_t>(-1);

    // `fileSizeLimit` > 0 limits the size of every file the process writes,
    // as a full disk would (writes beyond it fail with EFBIG). `user` other
    // than kSameUser runs the process as that user and group, without
    // supplementary groups, with HOME and the XDG folders in a folder of its own.
    // `program` runs instead of tarvoss-cli when given (a shell that starts it).
    explicit CliProcess(const std::vector<std::string>& arguments, const std::string& input = "",
                        long fileSizeLimit = 0, uid_t user = kSameUser, const std::string& program = TARVOSS_CLI_PATH) {
        WriteFile(io_ / "in", input);
        std::vector<std::string> argv{program};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        pid_ = ::fork();
        if (pid_ == 0) {
            Redirect((io_ / "in").c_str(), STDIN_FILENO, O_RDONLY);
            Redirect((io_ / "out").c_str(), STDOUT_FILENO, O_WRONLY | O_CREAT | O_TRUNC);
            Redirect((io_ / "err").c_str(), STDERR_FILENO, O_WRONLY | O_CREAT | O_TRUNC);
            if (fileSizeLimit > 0) {
                ::signal(SIGXFSZ, SIG_IGN);
                const rlimit limit{static_cast<rlim_t>(fileSizeLimit), static_cast<rlim_t>(fileSizeLimit)};
                ::setrlimit(RLIMIT_FSIZE, &limit);
            }
            if (user != kSameUser) {
                const std::string home = io_ / "home";
                ::mkdir(home.c_str(), 0700);
                if (::chown(home.c_str(), user, user) != 0 || ::setgroups(0, nullptr) != 0 || ::setgid(user) != 0 ||
                    ::setuid(user) != 0)
                    ::_exit(126);
                for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_CONFIG_HOME"})
                    ::setenv(name, home.c_str(), 1);
            }
            std::vector<char*> pointers;
            for (std::string& argument : argv) pointers.push_back(argument.data());
            pointers.push_back(nullptr);
            ::execv(pointers[0], pointers.data());
            ::_exit(127);
        }
    }
    ~CliProcess() {
        if (pid_ > 0 && !reaped_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }

    void Signal(int signal) { ::kill(pid_, signal); }
    // Whether the process has a file in `folder` (ending in "/") open: a copy
    // there has begun, though a new copy has no name until it is complete.
    bool HasFileOpenIn(const std::string& folder) const {
        std::error_code error;
        for (const auto& fd : std::filesystem::directory_iterator("/proc/" + std::to_string(pid_) + "/fd", error))
            if (std::filesystem::read_symlink(fd.path(), error).string().rfind(folder, 0) == 0) return true;
        return false;
    }
    pid_t Pid() const { return pid_; }
    std::string ErrSoFar() const { return ReadFile(io_ / "err"); }

    CliResult Wait() {
        int status = 0;
        const auto limit = std::chrono::steady_clock::now() + std::chrono::minutes(3);
        while (::waitpid(pid_, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > limit) {
                ::kill(pid_, SIGKILL);
                ::waitpid(pid_, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        reaped_ = true;
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(io_ / "out"), ReadFile(io_ / "err")};
    }

private:
    static void Redirect(const char* path, int target, int flags) {
        const int fd = ::open(path, flags, 0644);
        ::dup2(fd, target);
        ::close(fd);
    }

    TempDir io_;
    pid_t pid_ = -1;
    bool reaped_ = false;
};

inline CliResult RunCli(const std::vector<std::string>& arguments, const std::string& input = "",
                        long fileSizeLimit = 0, uid_t user = CliProcess::kSameUser,
                        const std::string& program = TARVOSS_CLI_PATH) {
    return CliProcess(arguments, input, fileSizeLimit, user, program).Wait();
}

// Waits (polling every `pause`) until `condition` holds; false after
// `limit`, a generous one by default.
template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::steady_clock::duration limit = std::chrono::minutes(1),
               std::chrono::steady_clock::duration pause = std::chrono::microseconds(200)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(pause);
    }
    return true;
}

}  // namespace tarvoss::testing
