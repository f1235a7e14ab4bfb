#include "settings/TextCatalogue.h"

#include <QWidget>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <algorithm>

#include "lang/LanguageKeys.h"
#include "lang/LanguageState.h"

namespace tarvoss {
namespace {

// Position of a known row in the order of application: its section's place
// among the known sections, then its key's place within the section.
std::pair<std::ptrdiff_t, std::ptrdiff_t> ApplyOrder(const TextRow& row) {
    const KnownSection* section = FindKnownSection(row.section);
    const KnownKey* key = FindKnownKey(row.section, row.key);
    return {section - KnownSections().data(), key - section->keys.data()};
}

}  // namespace

bool TextCatalogue::Add(TextRow row) {
    const KnownKey* known = FindKnownKey(row.section, row.key);
    if (known == nullptr || !row.text || !row.setText || row.owner.isNull()) return false;
    // The names are kept as the table spells them, and so outlive the caller's.
    row.section = FindKnownSection(row.section)->name;
    row.key = known->key;
    std::erase_if(rows_, [](const TextRow& old) { return old.owner.isNull(); });
    rows_.push_back(std::move(row));
    return true;
}

QString TextCatalogue::CurrentText(std::string_view section, std::string_view key) const {
    for (const TextRow& row : rows_) {
        if (!row.owner.isNull() && row.section == section && row.key == key) return row.text();
    }
    return EnglishText(section, key);
}

bool TextCatalogue::AddLabel(std::string_view section, std::string_view key, QLabel* label,
                             std::function<void()> then) {
    return Add({section, key, label, [label] { return label->text(); },
                [label](const QString& text) { label->setText(text); }, std::move(then)});
}

bool TextCatalogue::AddAction(std::string_view section, std::string_view key, QAction* action,
                              std::function<void()> then) {
    return Add({section, key, action, [action] { return action->text(); },
                [action](const QString& text) { action->setText(text); }, std::move(then)});
}

bool TextCatalogue::AddComboItem(std::string_view section, std::string_view key, QComboBox* combo, int index,
                                 std::function<void()> then) {
    return Add({section, key, combo, [combo, index] { return combo->itemText(index); },
                [combo, index](const QString& text) { combo->setItemText(index, text); }, std::move(then)});
}

bool TextCatalogue::AddStoredText(std::string_view section, std::string_view key, QObject* owner, QString* text,
                                  std::function<void()> then) {
    return Add({section, key, owner, [text] { return *text; }, [text](const QString& value) { *text = value; },
                std::move(then)});
}

bool TextCatalogue::AddAccessibleName(std::string_view section, std::string_view key, QWidget* control) {
    if (control == nullptr) return false;
    control->setAccessibleName(EnglishText(section, key));
    return Add({section,
                key,
                control,
                [control] { return control->accessibleName(); },
                [control](const QString& value) { control->setAccessibleName(value); },
                {}});
}

std::vector<const TextRow*> TextCatalogue::OrderedRows() const {
    std::vector<const TextRow*> ordered;
    for (const TextRow& row : rows_) {
        if (!row.owner.isNull()) ordered.push_back(&row);
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const TextRow* a, const TextRow* b) { return ApplyOrder(*a) < ApplyOrder(*b); });
    return ordered;
}

void TextCatalogue::Apply() const {
    if (CurrentLanguageState().useBuiltInTexts) return;
    // Copies: a further step may add rows (a window built on the way), which
    // would move the stored ones.
    std::vector<TextRow> rows;
    for (const TextRow* row : OrderedRows()) rows.push_back(*row);
    for (const TextRow& row : rows) {
        // A step of an earlier row may have destroyed a later row's owner.
        if (row.owner.isNull()) continue;
        const std::string text = LookupText(row.section, row.key, row.text().toStdString());
        row.setText(QString::fromStdString(text));
        if (row.then) row.then();
    }
}

TextCatalogue& LanguageTexts() {
    static TextCatalogue catalogue;
    return catalogue;
}

void ApplyLanguageTexts() { LanguageTexts().Apply(); }

QString EnglishText(std::string_view section, std::string_view key) {
    const std::string_view text = BuiltInText(section, key);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace tarvoss
