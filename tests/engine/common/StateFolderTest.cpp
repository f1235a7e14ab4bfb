#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/LastError.h"
#include "platform/StateFolder.h"
#include "support/TempDir.h"

namespace tarvoss {
namespace {

using testing::TempDir;
using testing::WriteFile;

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(StateFolder, FollowsXdgStateHomeOnlyWhenAbsolute) {
    ScopedEnv home("HOME", "/home/user");
    struct Case {
        std::optional<std::string> xdg;
        const char* expected;
    };
    const Case cases[] = {
        {"/var/state", "/var/state/tarvoss"},
        {std::nullopt, "/home/user/.local/state/tarvoss"},
        {"", "/home/user/.local/state/tarvoss"},
        {"relative/state", "/home/user/.local/state/tarvoss"},
    };
    for (const Case& c : cases) {
        ScopedEnv xdg("XDG_STATE_HOME", c.xdg);
        EXPECT_EQ(StateFolderPath(), c.expected) << c.xdg.value_or("(unset)");
    }
}

TEST(StateFolder, MakesMissingFoldersPrivateAndRefusesAFileInTheWay) {
    TempDir dir;
    ScopedEnv xdg("XDG_STATE_HOME", dir / "state");
    std::string path;
    ASSERT_TRUE(EnsureStateFolder("journal", path));
    EXPECT_EQ(path, dir / "state/tarvoss/journal");
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_TRUE(EnsureStateFolder("journal", path)) << "an existing folder is used";

    WriteFile(dir / "state/tarvoss/blocked", "x");
    EXPECT_FALSE(EnsureStateFolder("blocked", path));
    EXPECT_EQ(GetLastError(), ENOTDIR);
}

}  // namespace
}  // namespace tarvoss
