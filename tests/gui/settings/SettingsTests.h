#pragma once
// The settings and language tests share one executable; each group runs
// through its own function with the command-line arguments of Qt Test.

#include <QSettings>
#include <QString>

namespace tarvoss::test {

int RunSettingsStoreTest(int argc, char** argv);
int RunTextCatalogueTest(int argc, char** argv);
int RunOptionsFormTest(int argc, char** argv);
int RunLanguageSwitchTest(int argc, char** argv);

// One value of the program's settings, which the test main keeps in a
// temporary folder.
inline QVariant ReadProgramSetting(const QString& name) {
    return QSettings("Mirrowdale", "Tarvoss").value("Settings/" + name);
}

inline void WriteProgramSetting(const QString& name, const QVariant& value) {
    QSettings("Mirrowdale", "Tarvoss").setValue("Settings/" + name, value);
}

inline void ClearProgramSettings() {
    QSettings settings("Mirrowdale", "Tarvoss");
    settings.clear();
}

}  // namespace tarvoss::test
