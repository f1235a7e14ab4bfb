#include "ListedPaths.h"

#include <algorithm>
#include <optional>

#include "batch/ListedPath.h"
#include "common/ShownName.h"

namespace tarvoss::cli {

bool ListRows(const std::vector<std::string>& paths, std::vector<RunRow>& rows, std::string& error) {
    rows.clear();
    for (const std::string& given : paths) {
        const std::string path = NormalisePath(given);
        const std::optional<RowKind> kind = KindOfPath(path);
        if (!kind) {
            error = "no such file or folder: \"" + ShownName(given) + "\"";
            return false;
        }
        const RunRow row = RowOfPath(path, *kind);
        const bool listed = std::any_of(rows.begin(), rows.end(), [&](const RunRow& other) {
            return other.name == row.name && other.folder == row.folder;
        });
        if (listed) {
            error = "\"" + ShownName(given) + "\" is listed twice";
            return false;
        }
        rows.push_back(row);
    }
    return true;
}

}  // namespace tarvoss::cli
