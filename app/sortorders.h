#pragma once
// The fourteen sort orders the main window offers: each is one menu item, known by the
// text of its caption, and selects the index tag of the same meaning.

#include <QString>
#include <QStringList>
#include <array>

struct SortOrder {
    const char* itemName; // objectName of the "&Sort" menu item
    const char* caption;  // menu caption, with its accelerator
    const char* tag;      // index tag the order selects
};

inline constexpr std::array<SortOrder, 14> SortOrders{{
    {"mnuOrderLastName", "&Last Name", "LNAME"},
    {"mnuOrderFirstName", "&First Name", "FNAME"},
    {"mnuOrderTitle", "&Title", "TITLE"},
    {"mnuOrderOrganization", "&Organization", "ORG"},
    {"mnuOrderStreet", "&Street", "STREET"},
    {"mnuOrderCity", "&City", "CITY"},
    {"mnuOrderState", "&State", "STATE"},
    {"mnuOrderZip", "&Zip", "ZIP"},
    {"mnuOrderCountry", "&Country", "COUNTRY"},
    {"mnuOrderPhone", "&Phone", "PHONE"},
    {"mnuOrderEmail", "&E-mail", "EMAIL"},
    {"mnuOrderFax", "&Fax", "FAX"},
    {"mnuOrderDate", "&Date", "DATE"},
    {"mnuOrderCodes", "&Codes", "CODES"},
}};

// The text a sort item is known by: its caption from the second character on (past the
// accelerator), at most 30 characters, as written.
QString OrderCaptionText(const QString& caption);

// The index tag for an order text (compared upper-cased); empty when no order has that text.
QString OrderTagForText(const QString& text);

// The text of the order that selects this tag ("Last Name"); empty when no order does.
QString OrderTextForTag(const QString& tag);

// Whether the item with this caption carries the check mark once `text` is the chosen order.
bool OrderItemMatches(const QString& caption, const QString& text);

// The texts of all sort items in menu order, as the search dialog lists them.
QStringList OrderTexts();
