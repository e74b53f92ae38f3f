#pragma once
// Pairs of records the user said are not duplicates, kept beside the address file in a
// small text file (ADDRESS.DBF gives ADDRESS.dup) so "Find Duplicates" does not offer them
// again. A record is known by a fingerprint of its match keys rather than by its number,
// which a pack or another program may change: one pair of fingerprints a line, in hex.

#include "duplicates/matchkeys.h"

#include <QSet>
#include <QString>
#include <utility>

class NotDuplicates {
public:
    // The file that goes with the address file at path.
    static QString FileFor(const QString& addressFile);

    // Reads the file; a missing one holds no pairs.
    explicit NotDuplicates(QString file = {});

    bool Contains(const MatchKeys& a, const MatchKeys& b) const { return pairs_.contains(Key(a, b)); }
    // Adds the pair and writes the file; false when it cannot be written.
    bool Add(const MatchKeys& a, const MatchKeys& b);
    qsizetype Size() const { return pairs_.size(); }

private:
    using Pair = std::pair<quint64, quint64>;
    static Pair Ordered(quint64 a, quint64 b) { return {std::min(a, b), std::max(a, b)}; }
    static Pair Key(const MatchKeys& a, const MatchKeys& b);

    QString file_;
    QSet<Pair> pairs_;
};
