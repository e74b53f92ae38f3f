#include "duplicates/pairmatch.h"

#include <QStringList>
#include <algorithm>

namespace {

enum class GivenName { Same, Nickname, Initial, Missing, Different };

bool Shared(quint64 a, quint64 b)
{
    return a != 0 && a == b;
}

bool Differ(quint64 a, quint64 b)
{
    return a != 0 && b != 0 && a != b;
}

bool OneGroup(const NameGroups& a, const NameGroups& b)
{
    for (const quint16 x : a)
        if (x != 0 && std::find(b.begin(), b.end(), x) != b.end())
            return true;
    return false;
}

GivenName CompareGiven(const MatchKeys& a, const MatchKeys& b)
{
    if (a.first == 0 || b.first == 0)
        return GivenName::Missing;
    if (a.first == b.first)
        return GivenName::Same;
    if (a.firstWord == b.firstWord || OneGroup(a.nameGroups, b.nameGroups))
        return GivenName::Nickname;
    // "J." or "J" against "John".
    if ((a.initialOnly || b.initialOnly) && a.initial == b.initial)
        return GivenName::Initial;
    return GivenName::Different;
}

bool SharedPhone(const MatchKeys& a, const MatchKeys& b)
{
    for (const quint64 x : a.phones)
        if (x != 0 && std::find(b.phones.begin(), b.phones.end(), x) != b.phones.end())
            return true;
    return false;
}

} // namespace

QString LevelName(MatchLevel level)
{
    switch (level) {
    case MatchLevel::Exact:
        return QStringLiteral("exact");
    case MatchLevel::Likely:
        return QStringLiteral("likely");
    case MatchLevel::Possible:
        return QStringLiteral("possible");
    case MatchLevel::None:
        break;
    }
    return {};
}

std::optional<MatchLevel> LevelNamed(const QString& name)
{
    for (const MatchLevel level : {MatchLevel::Exact, MatchLevel::Likely, MatchLevel::Possible})
        if (name.compare(LevelName(level), Qt::CaseInsensitive) == 0)
            return level;
    return std::nullopt;
}

PairMatch MatchPair(const MatchKeys& a, const MatchKeys& b)
{
    const bool email = Shared(a.email, b.email);
    const bool phone = SharedPhone(a, b);
    const bool address = Shared(a.street, b.street);
    const bool lastName = Shared(a.last, b.last);
    const GivenName given = CompareGiven(a, b);
    const bool givenAgrees = given == GivenName::Same || given == GivenName::Nickname || given == GivenName::Initial;
    const int shared = int(email) + int(phone) + int(address);

    PairMatch match;
    const bool conflict = Differ(a.email, b.email) || Differ(a.street, b.street);
    if (shared >= 1 && lastName && given == GivenName::Same && !conflict)
        match.level = MatchLevel::Exact;
    else if ((shared >= 1 && lastName && givenAgrees) ||
             (shared >= 2 && (lastName || givenAgrees) && given != GivenName::Different))
        match.level = MatchLevel::Likely;
    else if ((shared >= 1 && (lastName || givenAgrees)) || shared >= 2 ||
             (lastName && givenAgrees && Shared(a.zip, b.zip)))
        match.level = MatchLevel::Possible;
    if (match.level == MatchLevel::None)
        return match;

    QStringList reasons;
    if (email)
        reasons << QStringLiteral("same e-mail");
    if (phone)
        reasons << QStringLiteral("same phone");
    if (address)
        reasons << QStringLiteral("same street and ZIP");
    else if (Shared(a.zip, b.zip) && shared == 0)
        reasons << QStringLiteral("same ZIP");
    if (lastName && given == GivenName::Same)
        reasons << QStringLiteral("same name");
    else if (given == GivenName::Nickname || given == GivenName::Initial)
        reasons << QStringLiteral("first names ") + a.firstName + QLatin1Char('/') + b.firstName;
    if (lastName && given != GivenName::Same)
        reasons << QStringLiteral("same last name");
    match.reasons = reasons.join(QStringLiteral(", "));
    const int names = (lastName ? 15 : 0) + (given == GivenName::Same       ? 15
                                             : given == GivenName::Nickname ? 12
                                             : given == GivenName::Initial  ? 8
                                                                            : 0);
    match.score =
        std::min(100, 35 * int(email) + 30 * int(phone) + 30 * int(address) + names + (Shared(a.zip, b.zip) ? 5 : 0));
    return match;
}
