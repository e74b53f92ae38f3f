#pragma once
// Pairs of records the user said are not duplicates, kept beside the address file in a
// small text file (ADDRESS.DBF gives ADDRESS.dup), one pair of record numbers a line, so
// "Find Duplicates" does not offer them again.

#include <QSet>
#include <QString>

class NotDuplicates {
public:
    // The file that goes with the address file at path.
    static QString FileFor(const QString& addressFile);

    // Reads the file; a missing one holds no pairs.
    explicit NotDuplicates(QString file = {});

    bool Contains(long a, long b) const { return pairs_.contains(Key(a, b)); }
    // Adds the pair and writes the file; false when it cannot be written.
    bool Add(long a, long b);
    qsizetype Size() const { return pairs_.size(); }

private:
    static quint64 Key(long a, long b);

    QString file_;
    QSet<quint64> pairs_;
};
