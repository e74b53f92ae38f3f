#include "records_window_support.h"
#include "support/whatsthis_check.h"

#include "app/addbrz.h"
#include "app/bkpref.h"
#include "app/datesel.h"
#include "app/getflzip.h"
#include "app/searchb.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QWhatsThis>

namespace {

class WhatsThisTest : public RecordWindowTest {};

TEST_F(WhatsThisTest, EveryControlOfTheAddressBookWindowsIsExplained)
{
    StartWith({Person("Smith", "Jo")});
    TPreferences preferences;
    TAddressBrowseForm browse(window->Session().DataSourceBook, [] {});
    TSearchBox search({"Last Name", "First Name"}, 0);
    TGetFirstLastZip newRecord(true, true, {});
    TDateSelector date(QDate(1997, 4, 28));
    for (QWidget* w : std::initializer_list<QWidget*>{window.get(), &preferences, &browse, &search, &newRecord, &date})
        EXPECT_EQ(ControlsWithoutWhatsThis(w), "") << w->objectName().toStdString();
}

TEST_F(WhatsThisTest, ShiftF1ThenAClickExplainsTheControl)
{
    StartWith({Person("Smith", "Jo", "PHONE=555-1234")});
    QTest::keyClick(window->windowHandle(), Qt::Key_F1, Qt::ShiftModifier);
    ASSERT_TRUE(QWhatsThis::inWhatsThisMode());
    QAbstractButton* dial = Button("Dial1Button");
    QTest::mouseClick(dial, Qt::LeftButton);
    EXPECT_FALSE(QWhatsThis::inWhatsThisMode());
    // The explanation opens as a small window of its own beside the control.
    const int shown = ShownWhatsThisTexts();
    QWhatsThis::hideText();
    EXPECT_EQ(shown, 1);
}

} // namespace
