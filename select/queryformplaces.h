#pragma once
// Where the query form puts its fields: on the spot of the main window's record edits,
// so the form reads like the record card the user already knows.

#include "select/queryvalues.h"

#include <QRect>
#include <QString>
#include <array>

class QWidget;

struct QueryFormPlaces {
    struct Field {
        QRect label;
        QRect edit;
        QString caption;
    };
    std::array<Field, QueryFieldCount> fields;
    QRect tagged; // the "Tagged" check box; "Reverse" sits 10 pixels to its right
};

// The main window's record card as the window hands it over: the widget that holds the
// record edits, the edit each query field stands in for (null where it has none) and the
// "Tagged" check box.
struct RecordCardControls {
    const QWidget* area = nullptr;
    std::array<const QWidget*, QueryFieldCount> edits{};
    const QWidget* tagged = nullptr;
};

// The places of the card's controls, relative to its area. Fields without a control keep
// their default place; without an area every field does.
QueryFormPlaces placesFromRecordCard(const RecordCardControls& card);

// A two-column card used when there is no main window to copy.
QueryFormPlaces defaultQueryFormPlaces();
