#include "report/recordastext.h"

#include <QMap>
#include <gtest/gtest.h>

namespace {

RecordField Fields(const QMap<QString, QString>& values)
{
    return [values](const QString& name) { return values.value(name); };
}

} // namespace

TEST(RecordAsText, OnlyALastNameAndACityKeepTheirBlanks)
{
    EXPECT_EQ(RecordAsText(Fields({{"LNAME", "Smith"}, {"CITY", "Springfield"}}), {}), "Smith \nSpringfield  \n");
}

// Every labelled line reads "Label : value"; lines end as this system's text files do.
TEST(RecordAsText, AFullRecordInOrderWithItsLabels)
{
    const RecordField full = Fields({{"PREFIX", "Dr."},
                                     {"FNAME", "John"},
                                     {"MIDDLE", "Q"},
                                     {"LNAME", "Smith"},
                                     {"TITLE", "Director"},
                                     {"ORG", "Acme"},
                                     {"STREET", "1 Main St"},
                                     {"STREET2", "Suite 2"},
                                     {"CITY", "Springfield"},
                                     {"STATE", "IL"},
                                     {"ZIP", "62704"},
                                     {"COUNTRY", "USA"},
                                     {"PHONE", "555-1234"},
                                     {"PHONE2", "555-9876"},
                                     {"CODES", "ABC"},
                                     {"COMMENTS", "Call first"},
                                     {"EMAIL", "js@example.com"},
                                     {"WEBPAGE", "example.com"}});
    EXPECT_EQ(RecordAsText(full, {}),
              "Dr. John Q. Smith \nDirector\nAcme\n1 Main St\nSuite 2\nSpringfield  IL 62704\nUSA \n"
              "Phone 1 : 555-1234\nPhone 2 : 555-9876\nCodes : ABC\nComment 1 : Call first\n"
              "Email : js@example.com\nWeb Page : example.com\n");

    RecordTextParts onlyPhones{false, false, true, false, false, false, false};
    EXPECT_EQ(RecordAsText(full, onlyPhones), "Phone 1 : 555-1234\nPhone 2 : 555-9876\n");
    EXPECT_EQ(RecordAsText(full, RecordTextParts{false, false, false, false, false, false, false}), "");
}

TEST(RecordAsText, EmptyFieldsBlankMiddleAndLongValues)
{
    // No phones: no phone lines; every address field empty: one line of a single blank.
    EXPECT_EQ(RecordAsText(Fields({}), RecordTextParts{false, true, true, false, false, false, false}), " \n");
    // A middle initial of one blank gets no period; leading blanks go.
    EXPECT_EQ(RecordAsText(Fields({{"FNAME", "  Ann"}, {"MIDDLE", " "}, {"LNAME", "Lee"}}),
                           RecordTextParts{true, false, false, false, false, false, false}),
              "Ann Lee \n");
    // No fixed buffer: a long record keeps all of its text.
    const QString comment(3000, 'c');
    EXPECT_TRUE(RecordAsText(Fields({{"COMMENTS", comment}}), {}).contains("Comment 1 : " + comment + "\n"));
}
