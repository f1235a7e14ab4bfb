// The command line refuses what is wrong with status 2 and a message naming
// it, before any file is touched.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CliProcess.h"
#include "ProgramVersion.h"

namespace tarvoss::testing {
namespace {

using ::testing::HasSubstr;

TEST(CliArguments, BadKeyMessagesNameTheRuleNeverWhatWasTyped) {
    TempDir dir;
    const std::string file = dir / "f.txt";
    WriteFile(file, "plain");
    struct Case {
        std::vector<std::string> keyOptions;
        std::string input;
        std::string rule;
    };
    // Each typed key holds "s3cr" somewhere the check refuses.
    const std::vector<Case> cases = {
        {{"--key", "1-2-s3cr-4-5"}, "", "group 3 of the key must be 1 to 8 digits"},
        {{"--key-length", "64", "--key", "1-2-3-98s3cr"}, "", "group 4 of the key must be 1 to 5 digits"},
        {{"--key-stdin"}, "11-s3cr\n", "5 groups of digits"},
        {{"--key-type", "text", "--key", "s3cr too short"}, "", "exactly 16 characters"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = {"encrypt", "--in-place"};
        arguments.insert(arguments.end(), c.keyOptions.begin(), c.keyOptions.end());
        arguments.push_back(file);
        const CliResult result = RunCli(arguments, c.input);
        EXPECT_EQ(result.status, 2) << c.rule;
        EXPECT_THAT(result.err, HasSubstr(c.rule));
        EXPECT_THAT(result.err + result.out, ::testing::Not(HasSubstr("s3cr"))) << c.rule;
    }
    EXPECT_EQ(ReadFile(file), "plain");
}

TEST(CliArguments, BadCommandLinesAndKeysTouchNothing) {
    TempDir dir;
    const std::string file = dir / "f.txt";
    const std::string folder = dir.folder();
    WriteFile(file, "plain text that must stay as it is");
    const std::string key = "1-2-3-4-5";
    struct Case {
        std::vector<std::string> arguments;
        std::string input;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{}, "", "\"encrypt\", \"decrypt\" or \"recover\""},
        {{"shred", "--in-place", "--key", key, file}, "", "the first argument must be"},
        {{"encrypt", "--key", key, file}, "", "--in-place, or --to DIR"},
        {{"encrypt", "--in-place", "--to", folder, "--key", key, file}, "", "not both"},
        {{"encrypt", "--in-place", "--delete-sources", "--key", key, file}, "", "--delete-sources goes with --to"},
        {{"encrypt", "--in-place", "--in-place", "--key", key, file}, "", "--in-place is given twice"},
        {{"--version=2"}, "", "--version takes no value"},
        {{"encrypt", "--in-place", file}, "", "give the key"},
        {{"encrypt", "--in-place", "--key", key, "--key-stdin", file}, key + "\n", "not both"},
        {{"encrypt", "--in-place", "--key-stdin", file}, "", "no key on standard input"},
        {{"encrypt", "--in-place", "--key", key}, "", "at least one"},
        {{"encrypt", "--in-place", "--key"}, "", "--key needs a value"},
        {{"encrypt", "--in-place", "--frobnicate", "--key", key, file}, "", "unknown option \"--frobnicate\""},
        {{"encrypt", "--in-place", "--key-type", "binary", "--key", key, file}, "", "--key-type must be"},
        {{"encrypt", "--in-place", "--key-length", "256", "--key", key, file},
         "",
         "--key-length must be 128, 96 or 64"},
        {{"encrypt", "--in-place", "--key", "1-2-3-4", file}, "", "5 groups of digits joined by \"-\"; this one has 4"},
        {{"encrypt", "--in-place", "--key", "123456789-2-3-4-5", file}, "", "group 1 of the key must be 1 to 8 digits"},
        {{"encrypt", "--in-place", "--key", "1--3-4-5", file}, "", "group 2 of the key"},
        {{"encrypt", "--in-place", "--key-length", "96", "--key", "1-2-3-4-1234567", file},
         "",
         "group 5 of the key must be 1 to 6"},
        {{"encrypt", "--in-place", "--key-length", "64", "--key", "1-2-3-4-5", file}, "", "4 groups"},
        {{"encrypt", "--in-place", "--key-length", "64", "--key", "1-2-x-4", file},
         "",
         "group 3 of the key must be 1 to 5"},
        {{"encrypt", "--in-place", "--key-type", "text", "--key", "fifteen chars!!", file},
         "",
         "exactly 16 characters; this one has 15"},
        {{"encrypt", "--in-place", "--key-type", "text", "--key-length", "64", "--key-stdin", file},
         "nine char\n",
         "exactly 8 characters"},
        {{"encrypt", "--in-place", "--key-type", "text", "--key-length", "64", "--key",
          "\u00E4\u00F6\u00FC\u00DF\u00E9ABCD", file},
         "",
         "exactly 8 characters; this one has 9"},
        {{"encrypt", "--in-place", "--key-type", "text", "--key-length", "64", "--key", "\u0416\u0416\u0416\u0416ABCD",
          file},
         "",
         "characters of the Western European character set (Windows-1252)"},
        {{"encrypt", "--in-place", "--key-type", "text", "--key-length", "64", "--key",
          "\xE9t\xE9"
          "ABCDE",
          file},
         "",
         "characters of the Western European character set (Windows-1252)"},
        {{"encrypt", "--in-place", "--key", key, dir / "missing"}, "", "no such file or folder"},
        {{"encrypt", "--in-place", "--key", key, file, folder + "./f.txt"}, "", "is listed twice"},
        {{"encrypt", "--to", dir / "nowhere", "--key", key, file}, "", "is not an existing folder"},
        {{"encrypt", "--to", file, "--key", key, file}, "", "is not an existing folder"},
        {{"encrypt", "--in-place", "--list", "--key", key, file}, "", "--list goes with \"recover\" only"},
        {{"recover", "--in-place", "--key", key, file}, "", "takes no --in-place, --to or --delete-sources"},
        {{"recover", "--list", "--key", key}, "", "takes no key and no files"},
        {{"recover", "--list", file}, "", "takes no key and no files"},
        {{"recover", file}, "", "give the key"},
        {{"recover", "--key", "1-2-3-4", file}, "", "5 groups of digits"},
        {{"recover", "--discard", "--key", key, file}, "", "\"recover --discard\" takes no key"},
        {{"recover", "--discard"}, "", "needs the files whose journals go"},
        {{"recover", "--discard", "--list"}, "", "either --list or --discard"},
        {{"encrypt", "--in-place", "--discard", "--key", key, file}, "", "--discard goes with \"recover\" only"},
    };
    for (const Case& c : cases) {
        const CliResult result = RunCli(c.arguments, c.input);
        const std::string shown = ::testing::PrintToString(c.arguments);
        EXPECT_EQ(result.status, 2) << shown;
        EXPECT_THAT(result.err, HasSubstr(c.message)) << shown;
        EXPECT_EQ(result.out, "") << shown;
    }
    EXPECT_EQ(ReadFile(file), "plain text that must stay as it is");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(CliArguments, VersionIsTheProjectsWhereverItStands) {
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{"--version"},
                                                      {"encrypt", "--version"},
                                                      {"decrypt", "--in-place", "--version", "x"}}) {
        const CliResult result = RunCli(arguments);
        EXPECT_EQ(result.status, 0) << ::testing::PrintToString(arguments);
        EXPECT_EQ(result.out, "tarvoss-cli " TARVOSS_VERSION "\n") << ::testing::PrintToString(arguments);
        EXPECT_EQ(result.err, "");
    }
}

TEST(CliArguments, HelpExplainsEveryOption) {
    const CliResult result = RunCli({"--help"});
    EXPECT_EQ(result.status, 0);
    for (const char* word :
         {"encrypt|decrypt", "--in-place", "--to DIR", "--delete-sources", "--quiet", "--key-type numerical|text",
          "--key-length 128|96|64", "--key KEY", "--key-stdin", "Ctrl+C", "Exit status", "[ Disk root ]",
          "recover --list", "recover KEY-OPTIONS", "recover --discard", "trash", "--version"})
        EXPECT_THAT(result.out, HasSubstr(word)) << word;
}

}  // namespace
}  // namespace tarvoss::testing
