#pragma once
// The rows of the file list in the order they were added, as a four-column
// table: file name (with the row's image), path, size and status.

#include <QAbstractTableModel>
#include <QIcon>
#include <QString>
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "model/FileListRow.h"

namespace tarvoss {

class FileListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { kNameColumn = 0, kPathColumn, kSizeColumn, kStatusColumn, kColumnCount };

    explicit FileListModel(QObject* parent = nullptr);

    std::size_t Count() const { return rows_.size(); }
    const FileListRow& Row(std::size_t index) const { return rows_[index]; }
    // True when a row has exactly this path (letter case counts).
    bool Contains(const std::string& path) const;
    void Append(FileListRow row);
    // Removes the rows at the given indices (any order, repeats allowed).
    void Remove(std::vector<std::size_t> indices);

    QString Caption(int column) const { return captions_[column]; }
    void SetCaption(int column, const QString& caption);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<FileListRow> rows_;
    std::array<QString, kColumnCount> captions_;
    std::array<QIcon, 3> icons_;  // the images kFileIcon to kFolderIcon
};

}  // namespace tarvoss
