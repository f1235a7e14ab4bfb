#include "desktop/LocalPaths.h"

namespace tarvoss {

std::optional<std::string> LocalPathBytes(const QUrl& url) {
    if (!url.isLocalFile()) return std::nullopt;
    // Fully encoded, a byte that is not UTF-8 stays a percent escape; decoding
    // it here, and not through QString, keeps it.
    return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

}  // namespace tarvoss
