#pragma once
// The values typed into the query form: eighteen patterns and two flags. They live in
// the main window for the program's life and are the source of every filter.

#include <QString>
#include <array>
#include <cstddef>

// The eighteen query fields, in the order in which their terms enter the filter expression.
enum class QueryField {
    LName,
    FName,
    Title,
    Org,
    Street,
    Street2,
    Zip,
    City,
    State,
    Country,
    Phone,
    Phone2,
    Fax,
    Email,
    WebPage,
    Comments,
    Date,
    Codes
};
inline constexpr std::size_t QueryFieldCount = 18;

struct QueryFieldInfo {
    const char* controlName;  // object name of the query form's edit
    const char* mainEditName; // the main window's edit that the form's field stands in for
    const char* label;        // caption used when no main window label is at hand
    const char* expression;   // the field expression the pattern is compared with
};

const QueryFieldInfo& queryFieldInfo(QueryField field);

// Every query field in expression order, for range-for loops.
const std::array<QueryField, QueryFieldCount>& allQueryFields();

struct QueryValues {
    std::array<QString, QueryFieldCount> texts;
    bool tagged = false;
    bool reverse = false;

    QString& operator[](QueryField field) { return texts[static_cast<std::size_t>(field)]; }
    const QString& operator[](QueryField field) const { return texts[static_cast<std::size_t>(field)]; }

    void clear() { *this = QueryValues{}; }
    bool operator==(const QueryValues&) const = default;
};
