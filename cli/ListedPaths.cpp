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
            error = "no such file or folder: \"" + ShownPath(given) + "\"";
            return false;
        }
        const RunRow row{path, *kind};
        if (std::find(rows.begin(), rows.end(), row) != rows.end()) {
            error = "\"" + ShownPath(given) + "\" is listed twice";
            return false;
        }
        rows.push_back(row);
    }
    return true;
}

}  // namespace tarvoss::cli
