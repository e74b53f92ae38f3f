#include "duplicates/notduplicates.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <algorithm>

QString NotDuplicates::FileFor(const QString& addressFile)
{
    const QFileInfo info(addressFile);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".dup");
}

NotDuplicates::NotDuplicates(QString file) : file_(std::move(file))
{
    QFile in(file_);
    if (file_.isEmpty() || !in.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    while (!in.atEnd()) {
        const QStringList numbers = QString::fromLatin1(in.readLine()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        bool a = false;
        bool b = false;
        if (numbers.size() == 2) {
            const long first = numbers[0].toLong(&a);
            const long second = numbers[1].toLong(&b);
            if (a && b)
                pairs_.insert(Key(first, second));
        }
    }
}

quint64 NotDuplicates::Key(long a, long b)
{
    return quint64(std::min(a, b)) << 32 | quint64(std::max(a, b));
}

bool NotDuplicates::Add(long a, long b)
{
    pairs_.insert(Key(a, b));
    QList<quint64> sorted(pairs_.begin(), pairs_.end());
    std::sort(sorted.begin(), sorted.end());
    QSaveFile out(file_);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    for (const quint64 pair : sorted)
        out.write(QByteArray::number(pair >> 32) + ' ' + QByteArray::number(pair & 0xffffffffU) + '\n');
    return out.commit();
}
