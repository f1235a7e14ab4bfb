#include "pages/FileListView.h"

#include <QHeaderView>
#include <algorithm>

#include "model/FileListModel.h"

namespace tarvoss {
namespace {

constexpr int kColumnWidths[FileListModel::kStatusColumn] = {170, 177, 90};
constexpr int kMinSizeWidth = 80;
constexpr int kMaxSizeWidth = 100;
constexpr int kRowHeight = 18;
constexpr int kMinColumnWidth = 40;

}  // namespace

FileListView::FileListView(FileListModel* model, QWidget* parent) : QTableView(parent) {
    setObjectName("lstFiles");
    setModel(model);
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setWordWrap(false);
    setIconSize(QSize(16, 16));
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    QHeaderView* rows = verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(kRowHeight);

    QHeaderView* columns = horizontalHeader();
    columns->setSectionsClickable(false);
    columns->setSortIndicatorShown(false);
    columns->setHighlightSections(false);
    columns->setSectionsMovable(false);
    for (int column = 0; column < FileListModel::kStatusColumn; ++column) {
        columns->resizeSection(column, kColumnWidths[column]);
    }
    // The status column fills the rest: its standard width in a list just wide
    // enough for the four columns, less when the vertical scroll bar takes its
    // room, so the list needs no horizontal scroll bar. It starts at its
    // smallest width because a stretched last column never shrinks below the
    // width it had when stretching began.
    columns->setMinimumSectionSize(kMinColumnWidth);
    columns->resizeSection(FileListModel::kStatusColumn, kMinColumnWidth);
    columns->setStretchLastSection(true);
    connect(columns, &QHeaderView::sectionResized, this, &FileListView::KeepSizeColumnInBounds);
}

std::vector<std::size_t> FileListView::SelectedRows() const {
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        rows.push_back(static_cast<std::size_t>(index.row()));
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void FileListView::KeepSizeColumnInBounds(int column, int, int newWidth) {
    if (column != FileListModel::kSizeColumn) return;
    const int bounded = std::clamp(newWidth, kMinSizeWidth, kMaxSizeWidth);
    if (bounded != newWidth) horizontalHeader()->resizeSection(column, bounded);
}

}  // namespace tarvoss
