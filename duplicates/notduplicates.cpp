#include "duplicates/notduplicates.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <algorithm>

namespace {

// Every key the matching compares, folded into one: records that read alike give the same.
quint64 Fingerprint(const MatchKeys& keys)
{
    quint64 print = 0;
    for (const quint64 key :
         {keys.last, keys.first, keys.street, keys.zip, keys.email, keys.phones[0], keys.phones[1], keys.phones[2]}) {
        print = (print ^ key) * 0x9e3779b97f4a7c15ULL;
        print ^= print >> 31;
    }
    return print;
}

} // namespace

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
        const QStringList prints = QString::fromLatin1(in.readLine()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        bool a = false;
        bool b = false;
        if (prints.size() == 2) {
            const quint64 first = prints[0].toULongLong(&a, 16);
            const quint64 second = prints[1].toULongLong(&b, 16);
            if (a && b)
                pairs_.insert(Ordered(first, second));
        }
    }
}

NotDuplicates::Pair NotDuplicates::Key(const MatchKeys& a, const MatchKeys& b)
{
    return Ordered(Fingerprint(a), Fingerprint(b));
}

bool NotDuplicates::Add(const MatchKeys& a, const MatchKeys& b)
{
    pairs_.insert(Key(a, b));
    QList<Pair> sorted(pairs_.begin(), pairs_.end());
    std::sort(sorted.begin(), sorted.end());
    QSaveFile out(file_);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    for (const auto& [first, second] : sorted)
        out.write(QByteArray::number(first, 16) + ' ' + QByteArray::number(second, 16) + '\n');
    return out.commit();
}
