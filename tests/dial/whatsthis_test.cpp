#include "support/temp_program_dir.h"
#include "support/whatsthis_check.h"
#include "telephony_double.h"

#include "dial/bkdial.h"
#include "dial/tapicall.h"
#include "platform/configwindow.h"

#include <QLineEdit>
#include <QTest>
#include <QWhatsThis>
#include <gtest/gtest.h>

namespace {

TEST(WhatsThis, EveryControlOfTheDialWindowsIsExplained)
{
    TempProgramDirectory dir;
    TelephonyDouble::Installed tapi;
    TBkDialer dialer;
    TfrmTAPICall call("5551234");
    TConfigInformation config;
    for (QWidget* window : std::initializer_list<QWidget*>{&dialer, &call, &config})
        EXPECT_EQ(ControlsWithoutWhatsThis(window), "") << window->objectName().toStdString();
}

TEST(WhatsThis, ShiftF1TurnsTheDialogsPointerIntoTheQuestionMark)
{
    TempProgramDirectory dir;
    TBkDialer dialer;
    EXPECT_TRUE(dialer.windowFlags() & Qt::WindowContextHelpButtonHint);
    dialer.show();
    dialer.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialer));
    QTest::keyClick(dialer.Number, Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_TRUE(QWhatsThis::inWhatsThisMode());
    QWhatsThis::leaveWhatsThisMode();
}

} // namespace
