#include "pseudo_terminal.h"

#include "dial/bkdial.h"
#include "dial/dialer.h"
#include "dial/radiogroup.h"
#include "platform/serialport.h"
#include "support/scripted_messages.h"
#include "support/temp_program_dir.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

// Scripted boxes that also run a check at the moment a box with the given text opens.
class MessagesWatching : public ScriptedMessages {
public:
    QString watched;
    std::function<void()> onWatched;
    int Show(const QString& text, const QString& caption, unsigned flags) override
    {
        if (text == watched && onWatched)
            onWatched();
        return ScriptedMessages::Show(text, caption, flags);
    }
};

class ModemTest : public ::testing::Test {
protected:
    // COM2 opens the pseudo-terminal.
    void SetUp() override { dir.WriteSettingsText("[Dialing]\nCOM2=" + modem.Device() + "\n"); }

    TempProgramDirectory dir;
    PseudoTerminal modem;
    MessagesWatching messages;
};

TEST_F(ModemTest, ThePrefixedNumberIsDialedByPulseAfterTheInitializationAndItsPause)
{
    dir.WriteSettingsText("[Dialing]\nCOM2=" + modem.Device() + "\nPrefix=9,\nInit=&F\nPort=1\nMethod=1\n");
    TBkDialer dialog;
    dialog.show();
    dialog.Number->setText("555-1234");
    EXPECT_EQ(dialog.findChild<QLabel*>("PortDevice")->text(), "Opens " + modem.Device());

    // The window stays live in the pause: an event posted before dialing runs before the
    // user is asked to pick up.
    bool liveDuringPause = false;
    QByteArray atPickUp;
    QTimer::singleShot(0, [&] { liveDuringPause = true; });
    messages.watched = "Pick up phone";
    messages.onWatched = [&] {
        EXPECT_TRUE(liveDuringPause);
        atPickUp = modem.WaitFor(22);
    };
    dialog.Dialbutton->click();

    const QByteArray init = "AT&F\r\n", dial = "ATDP9,555-1234\r\n", hangUp = "ATH\r\n";
    EXPECT_EQ(atPickUp, init + dial); // the modem hangs up only once the user has picked up
    EXPECT_EQ(modem.WaitFor(27), init + dial + hangUp);
    EXPECT_GE(modem.ArrivalOf(init.size()) - modem.ArrivalOf(0), 1400ms);
    EXPECT_EQ(messages.Texts(), QStringList{"Pick up phone"});
    EXPECT_EQ(dialog.Dialer1.InitStr, "AT&F");
    EXPECT_TRUE(dialog.isVisible()) << "the dialog stays open for another dial";
    EXPECT_FALSE(dialog.HelpButton->isVisible());
}

TEST_F(ModemTest, AnEmptyInitializationStringDialsAtOnceAndAtzGoesOutUnchanged)
{
    TDialer dialer;
    dialer.ComPort = TDialPort::dpCOM2;
    dialer.NumberToDial = "(555) 1234";
    bool posted = false;
    QTimer::singleShot(0, [&] { posted = true; });
    messages.watched = "Pick up phone";
    messages.onWatched = [&] { EXPECT_FALSE(posted) << "no pause, so no events processed before the box"; };
    dialer.Dial();
    const QByteArray once = "ATDT(555) 1234\r\nATH\r\n";
    EXPECT_EQ(modem.WaitFor(once.size()), once);

    messages.onWatched = nullptr;
    dialer.InitStr = "atz";
    dialer.Dial();
    EXPECT_EQ(modem.WaitFor(2 * once.size() + 5), once + "atz\r\n" + once);
    EXPECT_EQ(dialer.InitStr, "atz");
}

TEST_F(ModemTest, APortThatCannotBeOpenedIsNamedAndGetsNothing)
{
    QFile plain(dir.File("not-a-modem"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    dir.WriteSettingsText("[Dialing]\nCOM1=/dev/no-such-modem\nCOM3=" + plain.fileName() + "\n");
    TDialer dialer;
    dialer.NumberToDial = "5551234";
    dialer.Confirm = true;
    messages.AnswerNo();
    dialer.Dial(); // declined: the port is not even tried
    dialer.Confirm = false;
    dialer.Dial();
    dialer.ComPort = TDialPort::dpCOM3;
    dialer.Dial();
    EXPECT_EQ(messages.Texts(), (QStringList{"About to dial the number 5551234. Are you sure?", "Unable to open COM1",
                                             "Unable to open COM3"}));
    EXPECT_EQ(plain.size(), 0) << "a plain file is not a terminal and is never written";
}

TEST_F(ModemTest, PortsOpenTheirDevicesExclusively)
{
    EXPECT_EQ(SerialPortDevice(1), "/dev/ttyS0");
    EXPECT_EQ(SerialPortDevice(4), "/dev/ttyS3");
    EXPECT_EQ(SerialPortDevice(2), modem.Device());

    const auto first = OpenSerialPort(2);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(OpenSerialPort(2), nullptr) << "a port in use is not opened twice";
    EXPECT_TRUE(first->Write("AT\r\n"));
    EXPECT_EQ(modem.WaitFor(4), "AT\r\n");
}

TEST_F(ModemTest, ADialCommandTheDeviceRefusesIsReported)
{
    struct RefusingPort : SerialPort {
        QByteArrayList* written;
        bool Write(const QByteArray& bytes) override
        {
            written->append(bytes);
            return false;
        }
    };
    QByteArrayList written;
    const SerialPortOpener previous = SetSerialPortOpener([&](int) {
        auto port = std::make_unique<RefusingPort>();
        port->written = &written;
        return port;
    });
    TDialer dialer;
    dialer.NumberToDial = "5551234";
    dialer.Dial();
    SetSerialPortOpener(previous);
    EXPECT_EQ(messages.Texts(), QStringList{"Unable to dial number"});
    EXPECT_EQ(written, QByteArrayList{"ATDT5551234\r\n"}) << "no hang-up after a failed dial";
}

} // namespace
