#include <QTest>

#include "SettingsTests.h"
#include "settings/SettingsStore.h"

namespace tarvoss::test {
namespace {

class SettingsStoreTest : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearProgramSettings(); }

    void missingValuesFallBack() {
        const StoredSettings stored = SettingsStore::Load();
        QVERIFY(stored.currentLanguage.isEmpty());
        QVERIFY(stored.showErrors);
        QVERIFY(stored.hideKey);
        QVERIFY(stored.showConfDialog);
    }

    void roundTrip() {
        SettingsStore::WriteCurrentLanguage("Russian.lng");
        SettingsStore::WriteSwitch(kShowErrorsValue, false);
        SettingsStore::WriteSwitch(kHideKeyValue, true);
        SettingsStore::WriteSwitch(kShowConfDialogValue, false);

        const StoredSettings stored = SettingsStore::Load();
        QCOMPARE(stored.currentLanguage, QString("Russian.lng"));
        QVERIFY(!stored.showErrors);
        QVERIFY(stored.hideKey);
        QVERIFY(!stored.showConfDialog);
        // Switches are kept as the numbers 1 and 0 under the program's names.
        QCOMPARE(ReadProgramSetting("ShowErrors").toInt(), 0);
        QCOMPARE(ReadProgramSetting("HideKey").toInt(), 1);
    }

    void switchReadsAsOnUnlessANonZeroNumber_data() {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<bool>("on");
        QTest::newRow("zero") << QVariant(0) << false;
        QTest::newRow("zero as text") << QVariant("0") << false;
        QTest::newRow("one") << QVariant(1) << true;
        QTest::newRow("other number") << QVariant(7) << true;
        QTest::newRow("not a number") << QVariant("yes") << true;
        QTest::newRow("empty") << QVariant("") << true;
    }
    void switchReadsAsOnUnlessANonZeroNumber() {
        QFETCH(QVariant, stored);
        QFETCH(bool, on);
        WriteProgramSetting("ShowConfDialog", stored);
        QCOMPARE(SettingsStore::ReadSwitch(kShowConfDialogValue), on);
    }
};

}  // namespace

int RunSettingsStoreTest(int argc, char** argv) {
    SettingsStoreTest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace tarvoss::test

#include "SettingsStoreTest.moc"
