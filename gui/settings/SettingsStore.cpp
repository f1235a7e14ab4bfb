#include "settings/SettingsStore.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <optional>

#include "platform/FileRecord.h"
#include "platform/LastError.h"

namespace tarvoss {
namespace {

// An organisation that has no settings files: its settings object reads
// nothing that could block, and tells where user settings lie.
constexpr char kProbeOrganisation[] = "Mirrowdale settings probe";

// True when the settings file can be read without waiting: missing (it is
// made on the first write) or a regular file that opens. A FIFO, a device, a
// folder or an unreadable file in its place is not used at all.
bool SettingsFileUsable(const QString& path) {
    FileRecord file;
    file.access = FileAccess::Read;
    file.openDisposition = Disposition::OpenExisting;
    file.showErrors = false;
    return file.Open(QFile::encodeName(path).toStdString()) || IsError(GetLastError(), ErrorCondition::NotFound);
}

// The settings group, opened for one access; without a usable file, reads
// give nothing and writes are dropped.
class SettingsGroup {
public:
    SettingsGroup() {
        const QString path = SettingsStore::FilePath();
        if (!SettingsFileUsable(path)) return;
        settings_.emplace(path, QSettings::NativeFormat);
        settings_->beginGroup(kSettingsGroup);
    }
    QVariant Value(const char* name) const { return settings_ ? settings_->value(name) : QVariant(); }
    void SetValue(const char* name, const QVariant& value) {
        if (settings_) settings_->setValue(name, value);
    }
    void Sync() {
        if (settings_) settings_->sync();
    }

private:
    std::optional<QSettings> settings_;
};

}  // namespace

QString SettingsStore::FilePath() {
    const QSettings probe(QSettings::NativeFormat, QSettings::UserScope, kProbeOrganisation);
    return QFileInfo(probe.fileName()).absolutePath() + "/" + kSettingsOrganisation + "/" + kSettingsApplication +
           ".conf";
}

void SettingsStore::CreateKey() { SettingsGroup().Sync(); }

StoredSettings SettingsStore::Load() {
    StoredSettings stored;
    stored.currentLanguage = ReadCurrentLanguage();
    stored.showErrors = ReadSwitch(kShowErrorsValue);
    stored.hideKey = ReadSwitch(kHideKeyValue);
    stored.showConfDialog = ReadSwitch(kShowConfDialogValue);
    return stored;
}

QString SettingsStore::ReadCurrentLanguage() {
    const QVariant value = SettingsGroup().Value(kCurrentLanguageValue);
    return value.canConvert<QString>() ? value.toString() : QString();
}

bool SettingsStore::ReadSwitch(const char* name) {
    bool isNumber = false;
    const qlonglong value = SettingsGroup().Value(name).toLongLong(&isNumber);
    return !isNumber || value != 0;
}

void SettingsStore::WriteCurrentLanguage(const QString& fileName) {
    SettingsGroup().SetValue(kCurrentLanguageValue, fileName);
}

void SettingsStore::WriteSwitch(const char* name, bool on) { SettingsGroup().SetValue(name, on ? 1 : 0); }

}  // namespace tarvoss
