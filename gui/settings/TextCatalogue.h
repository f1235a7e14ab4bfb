#pragma once
// The catalogue of language texts: one row per key, each with the target it
// sets. Every window and page adds its own rows when it is built; applying
// the catalogue walks the rows section by section and key by key in the
// order of the known keys (lang/LanguageKeys.h), whatever order they were
// added in. A row whose owner is gone is skipped.

#include <QPointer>
#include <QString>
#include <functional>
#include <string_view>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QWidget;

namespace tarvoss {

struct TextRow {
    std::string_view section;
    std::string_view key;
    // The widget or page whose lifetime bounds the row.
    QPointer<QObject> owner;
    // The target's current text: the default when the file lacks the key.
    std::function<QString()> text;
    std::function<void(const QString&)> setText;
    // A further step carried out right after the target was set (may be empty).
    std::function<void()> then;
};

class TextCatalogue {
public:
    // Adds a row; false (and nothing added) when the section or key is not
    // one the program knows, or the owner or a function is missing. The row
    // keeps the names as lang/LanguageKeys.h spells them.
    bool Add(TextRow row);

    // Shorthands for the usual targets. `then` may be empty.
    bool AddLabel(std::string_view section, std::string_view key, QLabel* label, std::function<void()> then = {});
    // A menu item's caption; for a menu or submenu pass its menuAction().
    bool AddAction(std::string_view section, std::string_view key, QAction* action, std::function<void()> then = {});
    bool AddComboItem(std::string_view section, std::string_view key, QComboBox* combo, int index,
                      std::function<void()> then = {});
    // A text held in a QString that `owner` keeps (a message, a log text).
    bool AddStoredText(std::string_view section, std::string_view key, QObject* owner, QString* text,
                       std::function<void()> then = {});

    // The name a screen reader gives `control`, for a control that shows no
    // caption of its own; the control starts with the key's built-in text.
    bool AddAccessibleName(std::string_view section, std::string_view key, QWidget* control);
    // The rows in the order they are applied, without rows whose owner is gone.
    std::vector<const TextRow*> OrderedRows() const;
    // The text a key shows now: that of its first row whose owner is still
    // there, or the key's built-in English text when it has none. Windows
    // that show the same text as another one read it here rather than from
    // the other one's controls.
    QString CurrentText(std::string_view section, std::string_view key) const;

    // Sets every target from the current language file: the looked-up text
    // with the target's current text as the default, then the row's further
    // step. Does nothing while the built-in texts are in use.
    void Apply() const;

private:
    std::vector<TextRow> rows_;
};

// The program's one catalogue, filled by its windows and pages.
TextCatalogue& LanguageTexts();

// The built-in English text of a known key (lang/LanguageKeys.h): the text a
// control starts with, before any language file replaces it. Empty for a key
// the program does not know.
QString EnglishText(std::string_view section, std::string_view key);

// Applies the program's catalogue (ApplyLanguageTexts of the full load).
void ApplyLanguageTexts();

}  // namespace tarvoss
