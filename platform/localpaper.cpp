#include "platform/localpaper.h"

#include <QFile>
#include <QRegularExpression>
#include <utility>

namespace {

QString& systemPaperFile()
{
    static QString path = QStringLiteral("/etc/papersize");
    return path;
}

// The names the system's paper setting uses for the sizes we print on.
QPageSize::PageSizeId SystemPaper()
{
    QFile file(systemPaperFile());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QPageSize::A4;
    while (!file.atEnd()) {
        const QString line = QString::fromLocal8Bit(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QString name = line.section(QRegularExpression(QStringLiteral("\\s+")), 0, 0).toLower();
        static const std::pair<const char*, QPageSize::PageSizeId> known[] = {
            {"letter", QPageSize::Letter}, {"legal", QPageSize::Legal}, {"executive", QPageSize::Executive},
            {"a3", QPageSize::A3},         {"a4", QPageSize::A4},       {"a5", QPageSize::A5}};
        for (const auto& [paper, id] : known)
            if (name == QLatin1String(paper))
                return id;
        return QPageSize::A4;
    }
    return QPageSize::A4;
}

} // namespace

QPageSize::PageSizeId LocalePaper(const QLocale& locale)
{
    if (locale.language() == QLocale::C)
        return SystemPaper();
    return locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4;
}

QString SetSystemPaperFile(const QString& path)
{
    return std::exchange(systemPaperFile(), path);
}
