#pragma once
// The help folder's table of pages, "topics.txt": lines "NUMBER PAGE" that
// map context numbers to page files; blank lines and lines starting with "#"
// are skipped. Read by the help module to show a page and by the program to
// name the page that is missing when the module shows none.

#include <QFile>
#include <QString>
#include <QStringList>
#include <QTextStream>

namespace tarvoss {

inline constexpr char kHelpTopicsFile[] = "topics.txt";
// The context number of the contents page, shown when a topic's page is missing.
inline constexpr int kHelpContentsTopic = 1;

// The page file mapped to `topic` in the table of `folder` (ending in "/"),
// or an empty text when the table lacks it or cannot be read.
inline QString HelpPageOfTopic(const QString& folder, int topic) {
    QFile table(folder + kHelpTopicsFile);
    if (!table.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    QTextStream lines(&table);
    while (!lines.atEnd()) {
        const QString line = lines.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#')) continue;
        const QStringList fields = line.split(' ', Qt::SkipEmptyParts);
        bool isNumber = false;
        if (fields.size() == 2 && fields[0].toInt(&isNumber) == topic && isNumber) return folder + fields[1];
    }
    return {};
}

}  // namespace tarvoss
