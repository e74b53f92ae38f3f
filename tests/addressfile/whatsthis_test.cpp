#include "addressfile_test_support.h"

#include "addressfile/tbkreindex.h"
#include "addressfile/tnewdatabasename.h"
#include "addressfile/tspecifyfieldlengths.h"
#include "support/whatsthis_check.h"

#include <QLineEdit>

namespace {

TEST_F(AddressFileTest, EveryControlOfTheAddressFileDialogsIsExplained)
{
    BookTrio book;
    TBkReindex reindex(book.table, book.apollo);
    TNewDataBaseName name;
    TSpecifyFieldLengths lengths;
    for (QWidget* w : std::initializer_list<QWidget*>{&reindex, &name, &lengths})
        EXPECT_EQ(ControlsWithoutWhatsThis(w), "") << w->objectName().toStdString();
    EXPECT_EQ(lengths.findChild<QLineEdit*>("zip")->whatsThis(),
              "How many characters the Zip/Postal field of new address files holds, from 10 to 80.");
}

} // namespace
