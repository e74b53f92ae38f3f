#include "select/addqry.h"
#include "select/querytips.h"
#include "select/selection.h"
#include "select/tagall.h"

#include "book.h"
#include "support/temp_program_dir.h"
#include "support/whatsthis_check.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWhatsThis>
#include <gtest/gtest.h>

namespace {

TEST(QueryFormTips, ARightClickOnAFieldShowsItsTips)
{
    TempProgramDirectory dir;
    Book book;
    ASSERT_TRUE(book.opened);
    Selection selection;
    TAddressQueryForm form(selection, "VJY355E", book.table, book.apollo, nullptr);
    TTagAllRecords tagging(book.table, "VJY355E");
    EXPECT_EQ(ControlsWithoutWhatsThis(&form), "");
    EXPECT_EQ(ControlsWithoutWhatsThis(&tagging), "");

    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* codes = form.findChild<QLineEdit*>("qCodes");
    ASSERT_NE(codes, nullptr);
    EXPECT_EQ(ShownWhatsThisTexts(), 0);
    emit codes->customContextMenuRequested(QPoint(5, 5));
    EXPECT_EQ(ShownWhatsThisTexts(), 1);
    QWhatsThis::hideText();
    EXPECT_TRUE(codes->whatsThis().contains("$C finds every record whose codes contain C"));
}

TEST(QueryFormTips, EachFieldExplainsPatternsAndWhatIsSpecialAboutIt)
{
    for (QueryField field : allQueryFields())
        EXPECT_TRUE(QueryFieldTip(field).contains("(and not)")) << queryFieldInfo(field).controlName;
    EXPECT_TRUE(QueryFieldTip(QueryField::Date).contains("YYYYMMDD"));
    EXPECT_TRUE(QueryFieldTip(QueryField::City).contains("together with the state"));
    EXPECT_FALSE(QueryFieldTip(QueryField::LName).contains("YYYYMMDD"));
}

} // namespace
