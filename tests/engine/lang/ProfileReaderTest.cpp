#include "lang/ProfileReader.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "LangTestFolder.h"

namespace tarvoss {
namespace {

std::string Repeat(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

struct LookupCase {
    const char* section;
    const char* key;
    const char* defaultText;
    std::string expected;
};

TEST(ProfileReader, ReadsValuesByTheProfileRules) {
    test::LangTestFolder folder;
    const std::string file = folder.Write("rules.lng",
                                          "\xEF\xBB\xBF[General]\r\n"
                                          "Language = Deutsch\r\n"
                                          "; Datei=comment\n"
                                          "[ MainForm ]\n"
                                          "Plain=Datei\n"
                                          "  Spaced\t =   Leerzeichen rundum \t \r\n"
                                          "Quoted=  \"  innen bleibt  \"  \n"
                                          "Single='x'\n"
                                          "HalfQuote=\"offen\n"
                                          "Mixed=\"a'\n"
                                          "Twice=first\n"
                                          "TWICE=second\n"
                                          "Equals=a=b\n"
                                          "Empty=\n"
                                          "no equals sign here\n"
                                          "[mainform]\n"
                                          "Later=not reached\n"
                                          "[Other]\n"
                                          "Plain=other\n"
                                          "Last=without line end");

    const LookupCase cases[] = {
        {"General", "Language", "", "Deutsch"},  // behind a byte-order mark
        {"mainform", "PLAIN", "", "Datei"},      // names without case
        {"MainForm", "Spaced", "", "Leerzeichen rundum"},
        {"MainForm", "Quoted", "", "  innen bleibt  "},
        {"MainForm", "Single", "", "x"},
        {"MainForm", "HalfQuote", "", "\"offen"},
        {"MainForm", "Mixed", "", "\"a'"},
        {"MainForm", "Twice", "", "first"},
        {"MainForm", "Equals", "", "a=b"},
        {"MainForm", "Empty", "default", ""},  // present but empty: not the default
        {"MainForm", "Datei", "comment skipped", "comment skipped"},
        {"MainForm", "Later", "first section only", "first section only"},
        {"Other", "Plain", "", "other"},
        {"Other", "Last", "", "without line end"},
        {"MainForm", "Missing", "An error has occurred ", "An error has occurred"},
        {"Missing", "Plain", "Files  ", "Files"},
    };
    for (const LookupCase& c : cases) {
        EXPECT_EQ(ReadProfileString(file, c.section, c.key, c.defaultText), c.expected) << c.section << "/" << c.key;
    }
}

TEST(ProfileReader, CutsValuesAndDefaultsAt254WholeCharacters) {
    test::LangTestFolder folder;
    const std::string ascii = Repeat("a", 300);
    const std::string cyrillic = Repeat("\xD0\xB6", 300);  // two bytes each
    const std::string file = folder.Write(
        "long.lng", "[S]\nAscii=" + ascii + "\nCyrillic=" + cyrillic + "\nExact=" + Repeat("b", 254) + "\n");

    EXPECT_EQ(ReadProfileString(file, "S", "Ascii", ""), Repeat("a", 254));
    EXPECT_EQ(ReadProfileString(file, "S", "Cyrillic", ""), Repeat("\xD0\xB6", 254));
    EXPECT_EQ(ReadProfileString(file, "S", "Exact", ""), Repeat("b", 254));
    EXPECT_EQ(ReadProfileString(file, "S", "Missing", cyrillic), Repeat("\xD0\xB6", 254));
}

#ifndef _WIN32
// Windows keeps no FIFOs among files.
TEST(ProfileReader, FileThatCannotBeReadGivesTheDefault) {
    test::LangTestFolder folder;
    folder.Write("Languages/x.lng", "[S]\nK=v\n");
    const std::string fifo = folder.Path("pipe.lng");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);

    // A FIFO must not block the reader waiting for a writer.
    for (const std::string& path : {folder.Path("missing.lng"), folder.Path("Languages"), fifo, std::string()}) {
        EXPECT_EQ(ReadProfileString(path, "S", "K", "Default "), "Default") << path;
    }
    std::vector<ProfileEntry> entries;
    EXPECT_FALSE(ListProfileEntries(folder.Path("missing.lng"), entries));
}
#endif

TEST(ProfileReader, ListsEveryKeyLineInFileOrder) {
    test::LangTestFolder folder;
    const std::string file = folder.Write("list.lng", "Orphan=1\n[A]\nx = \"1 \"\n[b]\ny=2\nY=3\n[A]\nx=4\n");

    std::vector<ProfileEntry> entries;
    ASSERT_TRUE(ListProfileEntries(file, entries));
    ASSERT_EQ(entries.size(), 5u);
    const std::pair<std::string, std::string> expected[] = {
        {"", "Orphan"}, {"A", "x"}, {"b", "y"}, {"b", "Y"}, {"A", "x"}};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].section, expected[i].first) << i;
        EXPECT_EQ(entries[i].key, expected[i].second) << i;
    }
    EXPECT_EQ(entries[1].value, "1 ");
}

}  // namespace
}  // namespace tarvoss
