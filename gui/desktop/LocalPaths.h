#pragma once
// File names are bytes: a URL that Qt hands over (drops, file dialogs)
// becomes the bytes of the name on disk again, also for names that are not
// UTF-8, which Qt's text would have replaced.

#include <QUrl>
#include <optional>
#include <string>

namespace tarvoss {

// The local file a URL names, its percent escapes decoded to the name's very
// bytes; nothing for a URL that names no local file.
std::optional<std::string> LocalPathBytes(const QUrl& url);

}  // namespace tarvoss
