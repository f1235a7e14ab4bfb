#include "model/FileListModel.h"

#include <algorithm>

#include "lang/LanguageKeys.h"
#include "model/FileListIcons.h"
#include "settings/TextCatalogue.h"

namespace tarvoss {
namespace {

constexpr Qt::Alignment kColumnAlignment[FileListModel::kColumnCount] = {
    Qt::AlignLeft | Qt::AlignVCenter,
    Qt::AlignLeft | Qt::AlignVCenter,
    Qt::AlignRight | Qt::AlignVCenter,
    Qt::AlignRight | Qt::AlignVCenter,
};

}  // namespace

FileListModel::FileListModel(QObject* parent)
    : QAbstractTableModel(parent),
      captions_{EnglishText(kFilesSection, "ListViewColumn.FileName"),
                EnglishText(kFilesSection, "ListViewColumn.Path"), EnglishText(kFilesSection, "ListViewColumn.Size"),
                EnglishText(kFilesSection, "ListViewColumn.Status")} {
    for (int i = 0; i < static_cast<int>(icons_.size()); ++i) icons_[i] = FileListIcon(i);
}

bool FileListModel::Contains(const std::string& path) const {
    return std::any_of(rows_.begin(), rows_.end(), [&](const FileListRow& row) { return row.path == path; });
}

void FileListModel::Append(FileListRow row) {
    const int at = static_cast<int>(rows_.size());
    beginInsertRows({}, at, at);
    rows_.push_back(std::move(row));
    endInsertRows();
}

void FileListModel::Remove(std::vector<std::size_t> indices) {
    // From the bottom up, so that the indices still to go stay valid.
    std::sort(indices.begin(), indices.end(), std::greater<>());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    for (const std::size_t index : indices) {
        if (index >= rows_.size()) continue;
        const int at = static_cast<int>(index);
        beginRemoveRows({}, at, at);
        rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
        endRemoveRows();
    }
}

void FileListModel::SetCaption(int column, const QString& caption) {
    if (column < 0 || column >= kColumnCount) return;
    captions_[column] = caption;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int FileListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const FileListRow& row = rows_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole: {
        if (index.column() == kSizeColumn) return QString::fromStdString(row.sizeText);
        if (index.column() == kStatusColumn) return QString::fromStdString(row.status);
        const RowColumns columns = ColumnsOfRow(row);
        return QString::fromStdString(index.column() == kNameColumn ? columns.name : columns.folder);
    }
    case Qt::DecorationRole:
        if (index.column() == kNameColumn) return icons_[static_cast<std::size_t>(RowImage(row.kind))];
        return {};
    case Qt::TextAlignmentRole: return static_cast<int>(kColumnAlignment[index.column()]);
    case Qt::UserRole: return RowDataWord(row.kind);
    default: return {};
    }
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) return {};
    if (role == Qt::DisplayRole) return captions_[section];
    if (role == Qt::TextAlignmentRole) return static_cast<int>(kColumnAlignment[section]);
    return {};
}

}  // namespace tarvoss
