// The language files shipped with the program: each must translate every key
// the program looks up, hold no key it does not know, and keep the pieces the
// program relies on (placeholders, trailing spaces, whole-number sizes).

#include <charconv>
#include <filesystem>
#include <set>

#include <gtest/gtest.h>

#include "lang/LanguageFiles.h"
#include "lang/LanguageKeys.h"
#include "lang/ProfileReader.h"

namespace tarvoss {
namespace {

// Well-formed UTF-8 (no overlong forms, no surrogates); returns the number of
// characters, or -1.
long CountUtf8Characters(std::string_view text) {
    long characters = 0;
    for (std::size_t i = 0; i < text.size(); ++characters) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80                   ? 1
                             : lead >= 0xC2 && lead < 0xE0 ? 2
                             : lead >= 0xE0 && lead < 0xF0 ? 3
                             : lead >= 0xF0 && lead < 0xF5 ? 4
                                                           : 0;
        if (length == 0 || i + length > text.size()) return -1;
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return -1;
            code = (code << 6) | (next & 0x3F);
        }
        if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)) ||
            (code >= 0xD800 && code <= 0xDFFF)) {
            return -1;
        }
        i += length;
    }
    return characters;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return lower;
}

std::vector<std::filesystem::path> ShippedFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(TARVOSS_LANGUAGES_DIR)) {
        if (entry.path().extension() == ".lng") files.push_back(entry.path());
    }
    return files;
}

TEST(ShippedLanguages, AtLeastTwoTranslationsAreOffered) {
    const std::vector<LanguageFileEntry> offered = ListLanguageFiles(TARVOSS_LANGUAGES_DIR);
    EXPECT_GE(offered.size(), 2u);
    EXPECT_EQ(offered.size(), ShippedFiles().size()) << "every shipped file has a display name";
}

TEST(ShippedLanguages, EachFileHoldsExactlyTheKnownKeys) {
    for (const std::filesystem::path& file : ShippedFiles()) {
        SCOPED_TRACE(file.filename().string());
        std::vector<ProfileEntry> entries;
        ASSERT_TRUE(ListProfileEntries(file.string(), entries));

        std::set<std::string> seen;
        for (const ProfileEntry& entry : entries) {
            const std::string where = entry.section + "/" + entry.key;
            EXPECT_NE(FindKnownKey(entry.section, entry.key), nullptr) << "unknown key " << where;
            EXPECT_TRUE(seen.insert(Lower(where)).second) << "repeated key " << where;
            const long characters = CountUtf8Characters(entry.value);
            EXPECT_GT(characters, 0) << "empty or not UTF-8: " << where;
            EXPECT_LT(characters, static_cast<long>(kProfileValueLimit)) << "too long: " << where;
        }
        for (const KnownSection& section : KnownSections()) {
            for (const KnownKey& key : section.keys) {
                const std::string where = std::string(section.name) + "/" + std::string(key.key);
                EXPECT_TRUE(seen.contains(Lower(where))) << "missing key " << where;
            }
        }
    }
}

TEST(ShippedLanguages, KeepThePlaceholderAndWholeNumberSizes) {
    for (const std::filesystem::path& file : ShippedFiles()) {
        SCOPED_TRACE(file.filename().string());
        const std::string path = file.string();
        // The placeholder is replaced from the second character on.
        EXPECT_NE(ReadProfileString(path, kGoSection, "Error.ItemDoesNotExist", "").find("%file%", 1),
                  std::string::npos);
        for (const std::string_view key : {kButtonWidthKey, kButtonHeightKey}) {
            const std::string text = ReadProfileString(path, kSizesSection, key, "");
            int value = 0;
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
            EXPECT_TRUE(error == std::errc{} && end == text.data() + text.size() && value > 0) << key;
        }
    }
}

}  // namespace
}  // namespace tarvoss
