#pragma once

#include <QString>
#include <functional>

// Which parts of a record go into its text.
struct RecordTextParts {
    bool name = true;    // name line, title, organization
    bool address = true; // streets, city line, country
    bool phoneNumbers = true;
    bool codes = true;
    bool comments = true;
    bool email = true;
    bool webPage = true;
};

// A record's field by name, without trailing blanks.
using RecordField = std::function<QString(const QString& field)>;

// The record as a plain-text address block, each line ending as the system's text files
// do (LF here, CR LF on Windows) and empty lines left out: "Dr. John Q. Smith ", title,
// organization, streets, "Springfield IL 62704" (the city line is kept even when it is a
// single blank), country, then "Phone 1 : 555-1234", "Phone 2 : ...", "Codes : ...",
// "Comment 1 : ...", "Email : ..." and "Web Page : ..." for the fields that hold something.
QString RecordAsText(const RecordField& field, const RecordTextParts& parts);
