#include "platform/guardedapplication.h"
#include "support/scripted_messages.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

TEST(GuardedApplication, AnExceptionFromAnEventHandlerIsReportedAndTheProgramGoesOn)
{
    ASSERT_TRUE(dynamic_cast<GuardedApplication*>(QCoreApplication::instance()));
    ScriptedMessages messages;
    QPushButton button("Go");
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&clicks] {
        if (++clicks == 1)
            throw std::runtime_error("No space left on device");
    });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    bool timerRan = false;
    QTimer::singleShot(0, [&timerRan] { timerRan = true; });
    QTest::qWait(50);
    EXPECT_TRUE(timerRan);
    EXPECT_EQ(messages.Texts(), QStringList{"The last action could not be completed:\r\nNo space left on device"});
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(messages.Texts().size(), 1);
}
