#pragma once
// The file list lstFiles as the user sees it: a report with grid lines and
// the columns "File name" 170, "Path" 177, "Size" 90 (kept between 80 and
// 100) and "Status" 75 pixels wide; whole rows are selected, several at once;
// nothing is edited in place and the headers do not sort.

#include <QTableView>
#include <cstddef>
#include <vector>

namespace tarvoss {

class FileListModel;

class FileListView : public QTableView {
    Q_OBJECT
public:
    FileListView(FileListModel* model, QWidget* parent = nullptr);

    // The indices of the selected rows, in ascending order.
    std::vector<std::size_t> SelectedRows() const;

private:
    void KeepSizeColumnInBounds(int column, int oldWidth, int newWidth);
};

}  // namespace tarvoss
