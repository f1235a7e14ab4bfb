#include <gtest/gtest.h>

#include "batch/RunTexts.h"
#include "cipher/InPlaceOutcome.h"
#include "lang/LanguageKeys.h"
#include "platform/ErrorCondition.h"
#include "platform/LastError.h"

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

// Every in-place outcome is told in the run's words, so a language file
// reaches each of them; "%reason%" becomes the system's description.
TEST(RunTexts, InPlaceOutcomesSpeakTheRunsWords) {
    RunTexts texts;
    for (const RunTextKey& entry : RunTextKeys()) texts.*entry.text = std::string(entry.key) + " %reason%";
    const int code = ErrorCode(ErrorCondition::AccessDenied);
    std::string reason = DescribeError(code);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r')) reason.pop_back();
    struct Case {
        InPlaceOutcome outcome;
        Direction pending;
        std::string expected;
    };
    const Case cases[] = {
        {InPlaceOutcome::Locked, Direction::Encrypt, "Error.InPlaceLocked %reason%"},
        {InPlaceOutcome::JournalUnwritable, Direction::Encrypt, "Error.InPlaceJournalUnwritable " + reason},
        {InPlaceOutcome::JournalUnreadable, Direction::Encrypt, "Error.InPlaceJournalUnreadable " + reason},
        {InPlaceOutcome::WrongKey, Direction::Encrypt, "Error.InPlaceWrongKeyEncryption %reason%"},
        {InPlaceOutcome::WrongKey, Direction::Decrypt, "Error.InPlaceWrongKeyDecryption %reason%"},
        {InPlaceOutcome::FinishedOtherWay, Direction::Encrypt, "Error.InPlaceFinishedEncryption %reason%"},
        {InPlaceOutcome::FinishedOtherWay, Direction::Decrypt, "Error.InPlaceFinishedDecryption %reason%"},
        {InPlaceOutcome::Unfinished, Direction::Encrypt, "Error.InPlaceUnfinished " + reason},
        {InPlaceOutcome::JournalDamaged, Direction::Encrypt, "Error.InPlaceJournalDamaged %reason%"},
        {InPlaceOutcome::FileChanged, Direction::Encrypt, "Error.InPlaceFileChanged %reason%"},
        {InPlaceOutcome::LengthChanged, Direction::Encrypt, "Error.InPlaceLengthChanged %reason%"},
        {InPlaceOutcome::JournalNotRemoved, Direction::Encrypt, "Error.InPlaceJournalNotRemoved %reason% " + reason},
        {InPlaceOutcome::Done, Direction::Encrypt, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InPlaceFailureText({c.outcome, c.pending, code}, texts), c.expected) << c.expected;
}

}  // namespace
}  // namespace tarvoss
