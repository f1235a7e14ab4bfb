#include "lang/LanguageFiles.h"

#include <gtest/gtest.h>

#include "LangTestFolder.h"
#include "common/MessageBoxes.h"
#include "lang/LanguageKeys.h"
#include "lang/LanguageState.h"

namespace tarvoss {
namespace {

class RecordingBoxes final : public MessageBoxes {
public:
    void ShowInformation(const std::string& text, const std::string& caption) override {
        shown.push_back(caption + ": " + text);
    }
    void ShowError(const std::string& text, const std::string& caption) override {
        shown.push_back(caption + ": " + text);
    }
    bool AskQuestion(const std::string&, const std::string&, BoxOwner) override { return false; }
    std::vector<std::string> shown;
};

// The program's folder stand-in: a temporary folder that is the current
// directory, with a few language files in its "Languages" folder.
class LanguageFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.MakeCurrent();
        folder.Write("Languages/German.lng", "[General]\nLanguage=Deutsch\n[Sizes]\nStdButton.Width=130\n");
        SetLanguageState({"Languages/Earlier.lng", false});
    }
    void TearDown() override { SetLanguageState({}); }

    test::LangTestFolder folder;
};

TEST_F(LanguageFolderTest, DeterminesTheFileFromTheStoredChoice) {
    folder.Write("Languages/ReadOnly.lng", "[General]\nLanguage=Nur lesbar\n", 0444);
    struct Case {
        const char* stored;
        bool builtIn;
        const char* file;
        bool missingMessage;
    };
    const Case cases[] = {
        {"", true, "Languages/Earlier.lng", false},
        {"Default", true, "Languages/Earlier.lng", false},
        {"English", true, "Languages/Earlier.lng", false},
        {"German.lng", false, "Languages/German.lng", false},
        {"english", true, "Languages/Earlier.lng", true},          // names a file, which is missing
        {"ReadOnly.lng", false, "Languages/ReadOnly.lng", false},  // read, never written
        {"../Languages/German.lng", true, "Languages/Earlier.lng", true},
    };
    for (const Case& c : cases) {
        SetLanguageState({"Languages/Earlier.lng", false});
        RecordingBoxes boxes;
        DetermineLanguageFile(c.stored, boxes);
        const LanguageState state = CurrentLanguageState();
        EXPECT_EQ(state.useBuiltInTexts, c.builtIn) << c.stored;
        EXPECT_EQ(state.currentLanguageFile, c.file) << c.stored;
        if (c.missingMessage) {
            ASSERT_EQ(boxes.shown.size(), 1u) << c.stored;
            EXPECT_EQ(boxes.shown[0], "Tarvoss: " + std::string(kMissingLanguageFileText));
        } else {
            EXPECT_TRUE(boxes.shown.empty()) << c.stored;
        }
    }
}

TEST_F(LanguageFolderTest, ListsPresentFilesWithADisplayName) {
    folder.Write("Languages/Russian.lng",
                 "[general]\nlanguage = \xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9\n");
    folder.Write("Languages/Swiss.LNG", "[General]\nLanguage=Deutsch\n");  // same name: offered too
    folder.Write("Languages/Nameless.lng", "[MainForm]\nMenu.File=&Datei\n");
    folder.Write("Languages/Locked.lng", "[General]\nLanguage=Locked\n", 0444);
    folder.Write("Languages/Notes.txt", "[General]\nLanguage=Notes\n");
    folder.Write("Languages/Folder.lng/inside.lng", "[General]\nLanguage=Inside\n");

    const std::vector<LanguageFileEntry> listed = ListLanguageFiles(std::string(kLanguagesFolder));
    ASSERT_EQ(listed.size(), 4u);
    EXPECT_EQ(listed[0].fileName, "German.lng");
    EXPECT_EQ(listed[0].displayName, "Deutsch");
    EXPECT_EQ(listed[1].fileName, "Locked.lng");  // read-only files are offered
    EXPECT_EQ(listed[1].displayName, "Locked");
    EXPECT_EQ(listed[2].fileName, "Russian.lng");
    EXPECT_EQ(listed[2].displayName, "\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9");
    EXPECT_EQ(listed[3].fileName, "Swiss.LNG");
    EXPECT_EQ(listed[3].displayName, "Deutsch");

    EXPECT_TRUE(ListLanguageFiles(folder.Path("NoSuchFolder")).empty());
}

TEST_F(LanguageFolderTest, SizesComeFromTheLastChosenFileAsWholeNumbers) {
    folder.Write("Languages/Sizes.lng",
                 "[Sizes]\nGood=130\nSpaced=  40 \nWord=wide\nUnit=12px\nEmpty=\nZero=0\n"
                 "Negative=-5\nHuge=99999\nFloat=1.5\n");
    SetLanguageState({"Languages/Sizes.lng", true});  // built-in texts do not matter here

    const std::pair<const char*, int> cases[] = {
        {"Good", 130}, {"Spaced", 40},   {"Word", 24}, {"Unit", 24},  {"Empty", 24},
        {"Zero", 24},  {"Negative", 24}, {"Huge", 24}, {"Float", 24}, {"Missing", 24},
    };
    for (const auto& [key, expected] : cases) EXPECT_EQ(LookupSize(key, 24), expected) << key;

    // Before any file was chosen, and from another current directory, the
    // relative path finds nothing.
    SetLanguageState({});
    EXPECT_EQ(LookupSize(kButtonWidthKey, kDefaultButtonWidth), kDefaultButtonWidth);
    SetLanguageState({"Languages/German.lng", false});
    EXPECT_EQ(LookupSize(kButtonWidthKey, kDefaultButtonWidth), 130);
    test::LangTestFolder elsewhere;
    elsewhere.MakeCurrent();
    EXPECT_EQ(LookupText(kGeneralSection, kLanguageNameKey, "none"), "none");
}

}  // namespace
}  // namespace tarvoss
