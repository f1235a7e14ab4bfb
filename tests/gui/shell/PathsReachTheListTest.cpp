// Paths that reach the Files page through the main window: the command line,
// a drop on the window and the open-file dialog, names that are not UTF-8 included.

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTableView>
#include <QTest>
#include <QUrl>

#include "batch/BatchWorker.h"
#include "batch/RunState.h"
#include "gui/support/ScriptedFileChooser.h"
#include "model/FileListRow.h"
#include "pages/FrameFiles.h"
#include "shell/MainForm.h"
#include "support/FakeRunHost.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TempDir.h"

namespace tarvoss {
namespace {

using testing::TempDir;
using testing::WriteFile;

QStringList Names(const TframFiles& page) {
    QStringList names;
    for (std::size_t i = 0; i < page.RowCount(); ++i)
        names << QString::fromStdString(ColumnsOfRow(page.ListRow(i)).name);
    return names;
}

}  // namespace

class PathsReachTheListTest : public QObject {
    Q_OBJECT
private slots:
    void commandLineAndDropReachTheList();
    void namesThatAreNotUtf8KeepTheirBytes();
};

void PathsReachTheListTest::commandLineAndDropReachTheList() {
    TempDir dir;
    for (const char* name : {"given", "first", "second"}) WriteFile(dir / name, name);
    testing::ScriptedMessageBoxes boxes;
    TfrmMain main(boxes, std::vector<std::string>{dir / "given"});

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir / "first")),
                  QUrl::fromLocalFile(QString::fromStdString(dir / "second"))});
    QDragEnterEvent enter(QPoint(300, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&main, &enter);
    QDropEvent drop(QPointF(300, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&main, &drop);

    QVERIFY(boxes.Boxes().empty());
    QCOMPARE(Names(*main.framFiles()), QStringList({"given", "second", "first"}));
}

void PathsReachTheListTest::namesThatAreNotUtf8KeepTheirBytes() {
    TempDir dir;
    // "café" in Latin-1: the byte E9 alone is not UTF-8.
    const std::string given = dir / "caf\xE9-given", dropped = dir / "caf\xE9-dropped", chosen = dir / "caf\xE9-chosen";
    for (const std::string& path : {given, dropped, chosen}) WriteFile(path, "plain");
    testing::ScriptedMessageBoxes boxes;
    test::ScriptedFileChooser chooser;
    TfrmMain main(boxes, std::vector<std::string>{given});
    main.framFiles()->SetFileChooser(chooser);

    QMimeData data;
    data.setUrls({QUrl::fromEncoded("file://" + QByteArray::fromStdString(dropped).toPercentEncoding("/"))});
    QDragEnterEvent enter(QPoint(300, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&main, &enter);
    QDropEvent drop(QPointF(300, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&main, &drop);
    chooser.AnswerFiles({chosen});
    main.framFiles()->AddFiles();

    QVERIFY(boxes.Boxes().empty());
    TframFiles& page = *main.framFiles();
    QCOMPARE(page.RowCount(), std::size_t{3});
    const std::string names[] = {"caf\xE9-given", "caf\xE9-dropped", "caf\xE9-chosen"};
    auto* list = static_cast<QTableView*>(page.FileListWidget());
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(page.ListRow(i).path, dir.folder() + names[i]);
        // Shown with a visible mark where the byte cannot be shown.
        QVERIFY(list->model()->index(i, 0).data().toString().startsWith(QString::fromUtf8("caf\uFFFD-")));
    }
    // A run reaches the files by those bytes.
    testing::FakeRunHost host;
    for (std::size_t i = 0; i < page.RowCount(); ++i) host.rows.push_back(*page.RowAt(i));
    RunState state;
    QCOMPARE(RunWorker(host, state, host.Inputs(Direction::Encrypt)).failedItems, std::size_t{0});
    for (const std::string& path : {given, dropped, chosen}) QVERIFY(testing::ReadFile(path) != "plain");
}

}  // namespace tarvoss

QTEST_MAIN(tarvoss::PathsReachTheListTest)
#include "PathsReachTheListTest.moc"
