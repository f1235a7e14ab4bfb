#include "settings/SettingsStore.h"

#include <QSettings>

namespace tarvoss {
namespace {

// The settings group, opened for one access.
class SettingsGroup {
public:
    SettingsGroup() : settings_(kSettingsOrganisation, kSettingsApplication) {
        settings_.beginGroup(kSettingsGroup);
    }
    QSettings* operator->() { return &settings_; }

private:
    QSettings settings_;
};

}  // namespace

void SettingsStore::CreateKey() { SettingsGroup()->sync(); }

StoredSettings SettingsStore::Load() {
    StoredSettings stored;
    stored.currentLanguage = ReadCurrentLanguage();
    stored.showErrors = ReadSwitch(kShowErrorsValue);
    stored.hideKey = ReadSwitch(kHideKeyValue);
    stored.showConfDialog = ReadSwitch(kShowConfDialogValue);
    return stored;
}

QString SettingsStore::ReadCurrentLanguage() {
    const QVariant value = SettingsGroup()->value(kCurrentLanguageValue);
    return value.canConvert<QString>() ? value.toString() : QString();
}

bool SettingsStore::ReadSwitch(const char* name) {
    bool isNumber = false;
    const qlonglong value = SettingsGroup()->value(name).toLongLong(&isNumber);
    return !isNumber || value != 0;
}

void SettingsStore::WriteCurrentLanguage(const QString& fileName) {
    SettingsGroup()->setValue(kCurrentLanguageValue, fileName);
}

void SettingsStore::WriteSwitch(const char* name, bool on) { SettingsGroup()->setValue(name, on ? 1 : 0); }

}  // namespace tarvoss
