#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include "SettingsTests.h"
#include "settings/SettingsStore.h"

namespace tarvoss::test {
namespace {

// Puts something that is not a settings file where the settings file lies,
// and takes it away again.
class ThingInPlaceOfTheFile {
public:
    explicit ThingInPlaceOfTheFile(const QString& kind) : path_(SettingsStore::FilePath()) {
        QDir().mkpath(QFileInfo(path_).absolutePath());
        QFile::remove(path_);
        if (kind == "fifo") made_ = ::mkfifo(QFile::encodeName(path_).constData(), 0600) == 0;
        if (kind == "folder") made_ = QDir().mkdir(path_);
        if (kind == "device") made_ = QFile::link("/dev/zero", path_);
    }
    ~ThingInPlaceOfTheFile() {
        if (!QFile::remove(path_)) QDir().rmdir(path_);
    }
    bool made() const { return made_; }
    QString path() const { return path_; }

private:
    QString path_;
    bool made_ = false;
};

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

    void somethingElseInPlaceOfTheFileMeansDefaults_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("fifo") << "fifo";
        QTest::newRow("folder") << "folder";
        QTest::newRow("device") << "device";
    }
    void somethingElseInPlaceOfTheFileMeansDefaults() {
        QFETCH(QString, kind);
        SettingsStore::WriteSwitch(kHideKeyValue, false);
        ThingInPlaceOfTheFile thing(kind);
        QVERIFY(thing.made());

        // Neither reading nor writing waits; both act as on a broken file.
        SettingsStore::CreateKey();
        SettingsStore::WriteSwitch(kShowErrorsValue, false);
        const StoredSettings stored = SettingsStore::Load();
        QVERIFY(stored.currentLanguage.isEmpty());
        QVERIFY(stored.showErrors);
        QVERIFY(stored.hideKey);
        QVERIFY(stored.showConfDialog);
        QVERIFY(!QFileInfo(thing.path()).isFile());
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
