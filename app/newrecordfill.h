#pragma once

#include "app/addingprefs.h"

#include <QDate>
#include <QString>
#include <utility>
#include <vector>

// Values taken from the record that was current when Add began.
struct CarriedValues {
    QString org = {}, city = {}, state = {}, zip = {}, street = {}, street2 = {};
    QString country = {}; // empty unless CarryCountry is on
};

// What the "New Record" dialog and the zip lookup gave; any of it may be empty.
struct NewRecordAnswers {
    QString first = {}, last = {}, zip = {};
    QString city = {}, state = {};
};

using FieldAssignments = std::vector<std::pair<QString, QString>>;

// The field assignments for a freshly inserted record, in the order they are made;
// a later assignment to the same field wins.
FieldAssignments NewRecordValues(const AddingPreferences& prefs, const CarriedValues& carried,
                                 const NewRecordAnswers& answers, const QDate& today);
