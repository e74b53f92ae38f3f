#pragma once
// A contact as matching sees it. Contact holds the values read from a record or an
// import line; MatchKeys their normalised forms, kept as hashes so that a million of
// them fit in little memory (the given name stays as written, for the reasons shown).
//
//   MatchKeys keys = KeysOf(contact, DefaultRegion());

#include "duplicates/textfold.h"

#include <QString>
#include <QStringList>
#include <array>

struct Contact {
    long position = 0; // record number, or the line of an import
    QString first, last, street, zip, country, email;
    QStringList phones;
};

struct MatchKeys {
    long position = 0;
    // 0 where the value is empty.
    quint64 last = 0;
    quint64 first = 0; // the whole given name, folded
    quint64 firstWord = 0;
    NameGroups nameGroups{0, 0};
    QChar initial;
    bool initialOnly = false; // the given name is a single letter ("J.")
    quint64 street = 0;       // house number and street, with the postal code
    quint64 zip = 0;
    quint64 email = 0;
    std::array<quint64, 3> phones{};
    QString firstName;         // as written, trimmed
    bool givenPending = false; // the given name is read but its keys above not made yet
};

// The region used for phone numbers and postal codes of records without a country.
MatchKeys KeysOf(const Contact& contact, const QString& defaultRegion);

// The keys blocks are made of, the given name kept as written but not keyed: a contact
// most often shares no block with any other, and its given name only counts when it does.
MatchKeys BlockingKeysOf(const Contact& contact, const QString& defaultRegion);
// Makes the given name's keys of keys from BlockingKeysOf; nothing when they are made.
void KeyGivenName(MatchKeys& keys);
