#include "model/FileListRow.h"

#include "common/SplitPath.h"
#include "platform/PathText.h"

namespace tarvoss {

RowColumns ColumnsOfRow(const RunRow& row) {
    RowColumns columns;
    // A whole disk shows as its root ending in "/", which splits into the
    // root and "[ Disk root ]".
    const bool slashed = row.kind == RowKind::DiskRoot && !row.path.empty() && row.path.back() != '/';
    SplitPath(slashed ? row.path + "/" : row.path, columns.folder, columns.name);
    columns.folder = DisplayPath(columns.folder);
    return columns;
}

}  // namespace tarvoss
