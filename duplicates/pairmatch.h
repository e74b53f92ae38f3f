#pragma once
// Whether two contacts are the same person, how sure that is and why.
//
//   exact     same name (after folding) and every address, e-mail and phone both give
//             agrees, at least one of them shared
//   likely    a shared e-mail, phone or street and ZIP with the same last name and a
//             given name that agrees (the same, a nickname, an initial); or two of them
//             shared with the last or the given name agreeing
//   possible  one of them shared with either name agreeing; two shared whatever the
//             names; or the same last name in the same ZIP with given names that agree
//
//   PairMatch m = MatchPair(a, b);   // m.reasons: "same street and ZIP, first names Bob/Robert"

#include "duplicates/matchkeys.h"

#include <QString>
#include <optional>

// Strictest first: a pair "within" a level is one of that level or a stricter one.
enum class MatchLevel { Exact, Likely, Possible, None };

QString LevelName(MatchLevel level); // "exact", "likely", "possible"
std::optional<MatchLevel> LevelNamed(const QString& name);

struct PairMatch {
    MatchLevel level = MatchLevel::None;
    int score = 0; // 0..100
    QString reasons;
    bool Within(MatchLevel chosen) const { return level <= chosen && level != MatchLevel::None; }
};

PairMatch MatchPair(const MatchKeys& a, const MatchKeys& b);
