#include <gtest/gtest.h>

#include "batch/RunTexts.h"
#include "lang/LanguageKeys.h"

namespace tarvoss {
namespace {

// The run keeps its own English defaults so that it needs no language code;
// they must be the built-in texts the language table gives for the same keys,
// or the window and the command line would log different words.
TEST(RunTexts, DefaultsAreTheBuiltInTextsOfTheirKeys) {
    const RunTexts defaults;
    ASSERT_FALSE(RunTextKeys().empty());
    for (const RunTextKey& entry : RunTextKeys()) {
        EXPECT_EQ(defaults.*entry.text, BuiltInText(kGoSection, entry.key)) << entry.key;
    }
}

}  // namespace
}  // namespace tarvoss
