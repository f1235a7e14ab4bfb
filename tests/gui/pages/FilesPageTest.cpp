// The Files page driven through its real widgets, with scripted message boxes
// and dialogs, on files made in a temporary folder.

#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <cerrno>
#include <filesystem>

#include "gui/support/ScriptedFileChooser.h"
#include "lang/LanguageState.h"
#include "model/FileListRow.h"
#include "pages/FrameFiles.h"
#include "platform/FileSystem.h"
#include "platform/LastError.h"
#include "settings/TextCatalogue.h"
#include "support/ScratchMount.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TempDir.h"
#include "widgets/FlatButton.h"

namespace tarvoss {
namespace {

using testing::TempDir;
using testing::WriteFile;

// A file of `bytes` bytes that takes no room on disk.
std::string SparseFile(const TempDir& dir, const std::string& name, std::uint64_t bytes) {
    const std::string path = dir / name;
    WriteFile(path, "");
    std::filesystem::resize_file(path, bytes);
    return path;
}

// Row fields as one comparable text: name | folder | size | status | icon | diskRoot.
QString Describe(const FileListRow& row) {
    const RowColumns shown = ColumnsOfRow(row);
    return QString::fromStdString(shown.name + "|" + shown.folder + "|" + row.sizeText + "|" + row.status + "|" +
                                  std::to_string(RowImage(row.kind)) + "|" + std::to_string(RowDataWord(row.kind)));
}

QStringList Names(const TframFiles& page) {
    QStringList names;
    for (std::size_t i = 0; i < page.RowCount(); ++i)
        names << QString::fromStdString(ColumnsOfRow(page.ListRow(i)).name);
    return names;
}

// Keeps the current directory of the test process across a test that adds folders.
class CurrentDirectoryGuard {
public:
    CurrentDirectoryGuard() : saved_(GetCurrentDirectory()) {}
    ~CurrentDirectoryGuard() { SetCurrentDirectory(saved_); }

private:
    std::string saved_;
};

}  // namespace

class FilesPageTest : public QObject {
    Q_OBJECT
private slots:
    void sizeTextOfAFile_data();
    void sizeTextOfAFile();
    void fileThatCannotBeOpenedForWritingIsRefused_data();
    void fileThatCannotBeOpenedForWritingIsRefused();
    void folderBecomesCurrentDirectory();
    void diskRootRow();
    void columnsOfEachKind();
    void mountPointIsADiskAndATrailingSlashIsNot();
    void relativePathIsTakenFromTheCurrentDirectory();
    void duplicateIsRefusedWithItsPath();
    void distinctPathsGiveDistinctRows();
    void removeSelectedDropsEverySelectedRow();
    void optionRule();
    void deleteQuestion_data();
    void deleteQuestion();
    void dialogsFeedTheList();
    void arrangePagePlacesTheButtons();
    void languageTextsReachThePage();
};

void FilesPageTest::sizeTextOfAFile_data() {
    QTest::addColumn<qulonglong>("bytes");
    QTest::addColumn<QString>("sizeText");
    QTest::newRow("empty") << 0ull << " 0.00 KB";
    QTest::newRow("128 bytes") << 128ull << " 0.12 KB";
    QTest::newRow("just below 1 MiB") << 1048575ull << " 1024.00 KB";
    QTest::newRow("just above 1 MiB") << 1048577ull << " 1.00 MB";
    QTest::newRow("just above 1 GiB") << 1073741825ull << " 1.00 GB";
    QTest::newRow("5 GiB, beyond 32 bits") << (5ull << 30) << " 5.00 GB";
}

void FilesPageTest::sizeTextOfAFile() {
    QFETCH(qulonglong, bytes);
    QFETCH(QString, sizeText);
    TempDir dir;
    testing::ScriptedMessageBoxes boxes;
    TframFiles page(boxes);
    const std::string path = SparseFile(dir, "data.bin", bytes);

    page.AddPath(path);

    QVERIFY(boxes.Boxes().empty());
    QCOMPARE(page.RowCount(), std::size_t{1});
    QCOMPARE(Describe(page.ListRow(0)),
             "data.bin|" + QString::fromStdString(dir.folder()) + "|" + sizeText + "|Added|0|0");
    // The list shows the same texts.
    auto* list = page.findChild<QTableView*>("lstFiles");
    QCOMPARE(list->model()->index(0, 2).data().toString(), sizeText);
}

void FilesPageTest::fileThatCannotBeOpenedForWritingIsRefused_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("error");
    QTest::newRow("read-only file") << "read-only" << EACCES;
    QTest::newRow("missing file") << "missing" << ENOENT;
    QTest::newRow("FIFO") << "fifo" << EINVAL;
}

void FilesPageTest::fileThatCannotBeOpenedForWritingIsRefused() {
    QFETCH(QString, kind);
    QFETCH(int, error);
    TempDir dir;
    testing::ScriptedMessageBoxes boxes;
    TframFiles page(boxes);
    const std::string path = dir / "item";
    if (kind == "read-only") {
        WriteFile(path, "kept");
        ::chmod(path.c_str(), 0444);
    } else if (kind == "fifo") {
        QCOMPARE(::mkfifo(path.c_str(), 0600), 0);
    }

    page.AddPath(path);

    QCOMPARE(page.RowCount(), std::size_t{0});
    QCOMPARE(boxes.Boxes().size(), std::size_t{1});
    const auto box = boxes.Boxes()[0];
    QCOMPARE(box.kind, std::string("error"));
    QCOMPARE(box.caption, std::string("Tarvoss 1.0"));
    QCOMPARE(box.text, "The error has occurred while reading file " + path + ":\r\n" + DescribeError(error));
}

void FilesPageTest::folderBecomesCurrentDirectory() {
    CurrentDirectoryGuard guard;
    TempDir dir;
    std::filesystem::create_directory(dir / "Photos");
    testing::ScriptedMessageBoxes boxes;
    TframFiles page(boxes);

    page.AddPath(dir / "Photos");

    QVERIFY(boxes.Boxes().empty());
    QCOMPARE(Describe(page.ListRow(0)), "Photos|" + QString::fromStdString(dir.folder()) + "|-|Added|2|0");
    QCOMPARE(GetCurrentDirectory(), dir / "Photos");
    const std::optional<RunRow> row = page.RowAt(0);
    QVERIFY(row.has_value());
    QCOMPARE(row->path, dir / "Photos");
    QCOMPARE(row->kind, RowKind::Folder);
    QVERIFY(!page.RowAt(1).has_value());
}

void FilesPageTest::diskRootRow() {
    CurrentDirectoryGuard guard;
    testing::ScriptedMessageBoxes boxes;
    TframFiles page(boxes);

    page.AddPath("/");

    QVERIFY(boxes.Boxes().empty());
    QCOMPARE(Describe(page.ListRow(0)), QString("[ Disk root ]|/|-|Added|2|1"));
    auto* list = static_cast<QTableView*>(page.FileListWidget());
    QCOMPARE(list->model()->index(0, 0).data(Qt::UserRole).toInt(), 1);
    QVERIFY(!list->model()->index(0, 0).data(Qt::DecorationRole).isNull());
}

void FilesPageTest::columnsOfEachKind() {
    // A row is its path and kind; the list splits it for its two columns.
    const struct {
        RunRow row;
        std::string name, folder;
    } cases[] = {
        {{"/data/a.txt", RowKind::File}, "a.txt", "/data/"},
        {{"/data/photos", RowKind::Folder}, "photos", "/data/"},
        {{"/media/usb", RowKind::DiskRoot}, "[ Disk root ]", "/media/usb/"},
        {{"/media/usb/", RowKind::DiskRoot}, "[ Disk root ]", "/media/usb/"},
        {{"/", RowKind::DiskRoot}, "[ Disk root ]", "/"},
    };
    for (const auto& c : cases) {
        const RowColumns columns = ColumnsOfRow(c.row);
        QCOMPARE(columns.name, c.name);
        QCOMPARE(columns.folder, c.folder);
    }
}

void FilesPageTest::mountPointIsADiskAndATrailingSlashIsNot() {
    CurrentDirectoryGuard guard;
    TempDir dir;
    std::filesystem::create_directory(dir / "docs");
    testing::ScriptedMessageBoxes boxes;
    test::ScriptedFileChooser chooser;
    TframFiles page(boxes);
    page.SetFileChooser(chooser);

    page.AddPath(dir / "docs/");
    page.AddPath(dir / "docs");  // the same folder
    QCOMPARE(page.RowCount(), std::size_t{1});
    QCOMPARE(Describe(page.ListRow(0)), "docs|" + QString::fromStdString(dir.folder()) + "|-|Added|2|0");

    testing::ScratchMount stick(dir);
    if (!stick.mounted()) QSKIP("mounting a tmpfs needs root");
    chooser.AnswerFolder(stick.point());
    page.AddFolder();
    QCOMPARE(Describe(page.ListRow(1)), "[ Disk root ]|" + QString::fromStdString(stick.point()) + "/|-|Added|2|1");
    QCOMPARE(boxes.Boxes().size(), std::size_t{1});  // the duplicate of docs
}

void FilesPageTest::relativePathIsTakenFromTheCurrentDirectory() {
    // The program's folder becomes the current directory before a run, so a
    // relative path from the command line must not be kept as it is.
    CurrentDirectoryGuard guard;
    TempDir dir;
    WriteFile(dir / "notes.txt", "x");
    SetCurrentDirectory(dir.path().string());
    testing::ScriptedMessageBoxes boxes;
    TframFiles page(boxes);

    page.AddPath("notes.txt");

    QCOMPARE(page.RowCount(), std::size_t{1});
    QCOMPARE(page.ListRow(0).path, dir / "notes.txt");
}

void FilesPageTest::duplicateIsRefusedWithItsPath() {
    TempDir dir;
    const std::string path = dir / "Report.doc";
    WriteFile(path, "report");
    testing::ScriptedMessageBoxes boxes;
    TframFiles page(boxes);

    page.AddPath(path);
    page.AddPath(path);

    QCOMPARE(page.RowCount(), std::size_t{1});
    QCOMPARE(boxes.Boxes().size(), std::size_t{1});
    QCOMPARE(boxes.Boxes()[0].kind, std::string("information"));
    QCOMPARE(boxes.Boxes()[0].caption, std::string("Information"));
    QCOMPARE(boxes.Boxes()[0].text, "The files list already contains a file named " + path);
}

void FilesPageTest::distinctPathsGiveDistinctRows() {
    // Letter case counts, and a folder and a file inside it are independent.
    CurrentDirectoryGuard guard;
    TempDir dir;
    std::filesystem::create_directory(dir / "Data");
    WriteFile(dir / "Data/A.TXT", "1");
    WriteFile(dir / "Data/a.txt", "2");
    testing::ScriptedMessageBoxes boxes;
    TframFiles page(boxes);

    page.AddPath(dir / "Data/A.TXT");
    page.AddPath(dir / "Data/a.txt");
    page.AddPath(dir / "Data");

    QVERIFY(boxes.Boxes().empty());
    QCOMPARE(Names(page), QStringList({"A.TXT", "a.txt", "Data"}));
}

void FilesPageTest::removeSelectedDropsEverySelectedRow() {
    TempDir dir;
    testing::ScriptedMessageBoxes boxes;
    TframFiles page(boxes);
    for (const char* name : {"1", "2", "3", "4", "5"}) {
        WriteFile(dir / name, name);
        page.AddPath(dir / name);
    }
    auto* list = static_cast<QTableView*>(page.FileListWidget());

    // Nothing selected: nothing changes.
    page.RemoveSelected();
    QCOMPARE(page.RowCount(), std::size_t{5});

    list->selectionModel()->select(list->model()->index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    list->selectionModel()->select(list->model()->index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    list->selectionModel()->select(list->model()->index(4, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    page.findChild<QAction*>("mnuRemoveFileFromTheList")->trigger();
    QCOMPARE(Names(page), QStringList({"2", "4"}));

    // The start checks remove single rows.
    page.RemoveRow(0);
    QCOMPARE(Names(page), QStringList({"4"}));
    page.RemoveRow(7);
    QCOMPARE(page.RowCount(), std::size_t{1});
}

void FilesPageTest::optionRule() {
    testing::ScriptedMessageBoxes boxes;
    boxes.AnswerNext(true);
    TframFiles page(boxes);
    auto* type = page.findChild<QComboBox*>("cboCryptType");
    auto* remove = page.findChild<QCheckBox*>("cbDelFiles");
    auto* destination = page.findChild<QLineEdit*>("txtDestDir");
    const QList<QWidget*> copyControls = {remove, destination, page.findChild<QToolButton*>("cmdSelectDestDir"),
                                          page.findChild<QLabel*>("lblDestDir")};
    QCOMPARE(type->currentIndex(), 1);
    QCOMPARE(page.Mode(), ProcessingMode::Copy);
    destination->setText("/backup");
    remove->setChecked(true);
    QVERIFY(page.DeleteSources());

    type->setCurrentIndex(0);
    QCOMPARE(page.Mode(), ProcessingMode::InPlace);
    QVERIFY(!remove->isChecked());
    for (QWidget* control : copyControls) QVERIFY(!control->isEnabled());
    QCOMPARE(page.DestinationText(), std::string("/backup"));

    type->setCurrentIndex(1);
    QCOMPARE(page.Mode(), ProcessingMode::Copy);
    for (QWidget* control : copyControls) QVERIFY(control->isEnabled());
    QVERIFY(!remove->isChecked());
    // Only the one check by the user asked; unchecking asks nothing.
    QCOMPARE(boxes.Boxes().size(), std::size_t{1});
}

void FilesPageTest::deleteQuestion_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes keeps it checked") << true;
    QTest::newRow("No unchecks it") << false;
}

void FilesPageTest::deleteQuestion() {
    QFETCH(bool, yes);
    testing::ScriptedMessageBoxes boxes;
    boxes.AnswerNext(yes);
    TframFiles page(boxes);
    auto* remove = page.findChild<QCheckBox*>("cbDelFiles");

    QTest::mouseClick(remove, Qt::LeftButton, {}, QPoint(5, remove->height() / 2));

    QCOMPARE(remove->isChecked(), yes);
    QCOMPARE(page.DeleteSources(), yes);
    QCOMPARE(boxes.Boxes().size(), std::size_t{1});
    const auto box = boxes.Boxes()[0];
    QCOMPARE(box.kind, std::string("question"));
    QCOMPARE(box.text, std::string("Do you really want to delete source files after encryption/decryption ?"));
    QCOMPARE(box.caption, std::string("Tarvoss"));
    QVERIFY(box.owner == BoxOwner::FilesPage);
}

void FilesPageTest::dialogsFeedTheList() {
    CurrentDirectoryGuard guard;
    TempDir dir;
    WriteFile(dir / "b", "b");
    WriteFile(dir / "a", "a");
    std::filesystem::create_directory(dir / "Folder");
    testing::ScriptedMessageBoxes boxes;
    test::ScriptedFileChooser chooser;
    TframFiles page(boxes);
    page.SetFileChooser(chooser);
    page.show();

    // Files in the dialog's order; a cancelled dialog adds nothing.
    chooser.AnswerFiles({dir / "b", dir / "a"});
    QTest::mouseClick(page.findChild<FlatButton*>("shpAddFiles"), Qt::LeftButton);
    page.findChild<QAction*>("mnuAddFile")->trigger();
    QCOMPARE(chooser.fileRequests(), 2);

    chooser.AnswerFolder(dir / "Folder");
    QTest::mouseClick(page.findChild<FlatButton*>("shpAddFolder"), Qt::LeftButton);
    page.findChild<QAction*>("mnuAddFolder")->trigger();
    QCOMPARE(Names(page), QStringList({"b", "a", "Folder"}));

    // The destination browser replaces the text; cancelling keeps it.
    chooser.AnswerFolder(dir.path().string());
    auto* browse = page.findChild<QToolButton*>("cmdSelectDestDir");
    browse->click();
    browse->click();
    QCOMPARE(page.DestinationEdit()->text().toStdString(), dir.path().string());

    const auto& requests = chooser.folderRequests();
    QCOMPARE(requests.size(), std::size_t{4});
    QCOMPARE(requests[0].title, std::string("Select the folder:"));
    QCOMPARE(requests[0].flags, 0x1241u);
    QCOMPARE(requests[2].title, std::string("Select a destination directory:"));
    QCOMPARE(requests[2].flags, 0x1041u);
    QVERIFY(boxes.Boxes().empty());
}

void FilesPageTest::arrangePagePlacesTheButtons() {
    testing::ScriptedMessageBoxes boxes;
    TframFiles page(boxes);
    page.ArrangePage();
    const QRect list = page.FileListWidget()->geometry();
    auto* files = page.findChild<FlatButton*>("shpAddFiles");
    auto* folder = page.findChild<FlatButton*>("shpAddFolder");
    QCOMPARE(files->geometry(), QRect(list.x() + list.width() - 100, files->y(), 100, 24));
    QCOMPARE(folder->geometry(), QRect(files->x() - 105, files->y(), 100, 24));
    QVERIFY(files->y() >= list.bottom());
    QVERIFY(page.rect().contains(page.childrenRect()));

    // The standard column widths fill the list; the size column stays within 80 to 100.
    page.show();
    auto* view = static_cast<QTableView*>(page.FileListWidget());
    QHeaderView* header = view->horizontalHeader();
    QTRY_COMPARE(
        QList<int>({header->sectionSize(0), header->sectionSize(1), header->sectionSize(2), header->sectionSize(3)}),
        QList<int>({170, 177, 90, 75}));
    // With a vertical scroll bar the status column gives way, not the list.
    TempDir dir;
    for (int i = 0; i < 40; ++i) {
        WriteFile(dir / std::to_string(i), "");
        page.AddPath(dir / std::to_string(i));
    }
    QTRY_VERIFY(view->verticalScrollBar()->isVisible());
    QCOMPARE(view->horizontalScrollBar()->maximum(), 0);
    header->resizeSection(2, 130);
    QCOMPARE(header->sectionSize(2), 100);
    header->resizeSection(2, 40);
    QCOMPARE(header->sectionSize(2), 80);
}

void FilesPageTest::languageTextsReachThePage() {
    // The test runs beside the Languages folder.
    CurrentDirectoryGuard guard;
    SetCurrentDirectory(ProgramFolder());
    SetLanguageState({"Languages/German.lng", false});
    TempDir dir;
    SparseFile(dir, "big", 3ull << 20);
    testing::ScriptedMessageBoxes boxes;
    TframFiles page(boxes);
    auto* type = page.findChild<QComboBox*>("cboCryptType");
    type->setCurrentIndex(0);

    ApplyLanguageTexts();
    SetLanguageState({});

    auto* label = page.findChild<QLabel*>("lblTypeOfProcessing");
    QCOMPARE(label->text(), QString("Gewünschte Art der Verarbeitung:"));
    QCOMPARE(type->itemText(1), QString("Kopieren und die Kopien ver-/entschlüsseln"));
    QCOMPARE(type->currentIndex(), 1);
    QCOMPARE(type->x(), label->x() + label->width() + 20);
    QVERIFY(type->geometry().right() <= page.FileListWidget()->geometry().right());
    QCOMPARE(page.findChild<FlatButton*>("shpAddFiles")->text(), QString("Dateien hinzufügen"));
    auto* list = static_cast<QTableView*>(page.FileListWidget());
    QCOMPARE(list->model()->headerData(0, Qt::Horizontal).toString(), QString("Dateiname"));
    page.AddPath(dir / "missing");
    QVERIFY(boxes.Boxes().at(0).text.starts_with("Beim Lesen der Datei ist ein Fehler aufgetreten /"));
}

}  // namespace tarvoss

QTEST_MAIN(tarvoss::FilesPageTest)
#include "FilesPageTest.moc"
