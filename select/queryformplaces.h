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

// The places of the main window's controls, relative to its record area (the window less
// its toolbar). Fields whose control the window lacks keep their default place.
QueryFormPlaces placesFromMainWindow(const QWidget& mainWindow);

// A two-column card used when there is no main window to copy.
QueryFormPlaces defaultQueryFormPlaces();
