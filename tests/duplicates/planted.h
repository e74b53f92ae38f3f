#pragma once
// Contacts with known duplicates: a generated list of people (households sharing an
// address and phone among them), and copies of some of them written the way another
// source would spell them: nicknames and initials, accents, case and punctuation, street
// words short or long, ZIP+4, phones in other formats, e-mail in capitals, a value left out.

#include "duplicates/matchkeys.h"

#include <QRandomGenerator>
#include <vector>

// Another spelling of the contact, the same person; the seed picks the changes.
Contact Respelled(const Contact& contact, quint32 seed);

struct PlantedList {
    std::vector<Contact> contacts;
    std::vector<std::pair<long, long>> duplicates; // positions, original first
};

// people contacts numbered from 1, then one respelled copy of each of planted of them.
PlantedList GeneratePeople(int people, int planted, quint32 seed);
