#pragma once
// The checks the Start action makes before a run, in their order: a list
// that is not empty, an existing destination directory in copy mode, a chosen
// action, every listed item still there (offering to remove a missing one), a
// complete key and, when the user asks for it, a confirmation. The first check
// that fails shows its message, shows the page concerned and has the choice
// that needs attention pointed out. The checks read the wizard's choices.

#include <QString>

#include "common/MessageBoxes.h"

namespace tarvoss {

class RunChoices;
class Wizard;
struct GoTexts;

// What the checks work with (none owned): the wizard whose choices they read
// and whose pages they show, the boxes they show their messages in, the
// owner of their questions, and the texts of the page that asks.
struct StartCheck {
    Wizard& wizard;
    MessageBoxes& boxes;
    BoxOwner owner;
    const GoTexts& texts;
};

// True when every check passed and a run may start.
bool PassStartChecks(const StartCheck& check);

// The question about a missing item: every "%file%" replaced by `name`, the
// search starting at the text's second character.
QString ItemMissingQuestion(const QString& text, const QString& name);

// The summary shown for confirmation: heading, algorithm, action, key type,
// key length and the closing question, each line ended by CR LF; captions
// and list entries as the Parameters page shows them.
QString ConfirmationText(const RunChoices& choices, const GoTexts& texts);

}  // namespace tarvoss
