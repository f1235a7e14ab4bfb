// Runs every group of settings and language tests with the program's
// settings redirected into a temporary folder, never the user's own.

#include <QApplication>
#include <QStandardPaths>

#include "SettingsTests.h"
#include "gui/support/WindowTestSettings.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    tarvoss::test::WindowTestSettings settings;
    if (!settings.Isolate()) return 1;

    int failed = 0;
    for (auto run : {tarvoss::test::RunSettingsStoreTest, tarvoss::test::RunTextCatalogueTest,
                     tarvoss::test::RunOptionsFormTest, tarvoss::test::RunLanguageSwitchTest}) {
        failed += run(argc, argv);
    }
    return failed == 0 ? 0 : 1;
}
