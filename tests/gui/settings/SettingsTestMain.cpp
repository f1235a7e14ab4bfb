// Runs every group of settings and language tests with the program's
// settings redirected into a temporary folder, never the user's own.

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "SettingsTests.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir settings;
    if (!settings.isValid()) return 1;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());

    int failed = 0;
    for (auto run : {tarvoss::test::RunSettingsStoreTest, tarvoss::test::RunTextCatalogueTest,
                     tarvoss::test::RunOptionsFormTest, tarvoss::test::RunLanguageSwitchTest}) {
        failed += run(argc, argv);
    }
    return failed == 0 ? 0 : 1;
}
