#pragma once
// The key entry panel (panKeyContainer): the five part fields txtKeyPart1 to
// txtKeyPart5 in a row, with the "-" labels lblKeySep1 to lblKeySep4 between
// them, laid out for a key format. Used by the Parameters page and the key
// generator; either may add its own controls to the panel.

#include <QWidget>
#include <array>
#include <string>

#include "pages/KeyFormat.h"

class QLabel;
class QLineEdit;

namespace tarvoss {

class KeyContainer : public QWidget {
    Q_OBJECT
public:
    // The size of the panel: room for five parts and a small button after them.
    static constexpr int kWidth = 362;
    static constexpr int kHeight = 21;

    explicit KeyContainer(QWidget* parent = nullptr);

    // Part 1 to 5; nullptr for any other number.
    QLineEdit* Part(int part) const;

    // Sets the fields up for `format` and empties the key: a numerical key
    // empties all five parts; a text key empties part 1 and only hides the
    // others. Every visible part takes at most the format's number of
    // characters.
    void ApplyFormat(const KeyFormat& format);
    // Names the parts for a screen reader after the key's caption ("Key:"):
    // the one field of a text key takes the caption, the parts of a
    // numerical key the caption and their number ("Key 2").
    void NameParts(const QString& caption);
    // Empties all five parts, hidden ones included.
    void Clear();
    // Shows an asterisk for each character of every part (hide), or the
    // characters themselves.
    void ShowHidden(bool hide);
    // The texts of the five parts in UTF-8.
    std::array<std::string, kKeyPartCount> PartTexts() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    // Gives the parts the panel's type, made smaller where needed so that a
    // full group of digits fits a part without scrolling.
    void FitPartFont();

    std::array<QLineEdit*, kKeyPartCount> parts_{};
    std::array<QLabel*, kKeyPartCount - 1> separators_{};
    int visibleParts_ = kKeyPartCount;
};

}  // namespace tarvoss
