#include "telephony_double.h"

#include "dial/bkdial.h"
#include "dial/tapicall.h"
#include "platform/desktoplinks.h"
#include "support/modal.h"
#include "support/scripted_messages.h"
#include "support/temp_program_dir.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

QStringList Status(const TfrmTAPICall& call)
{
    QStringList lines;
    for (int i = 0; i < call.Memo1->count(); ++i)
        lines << call.Memo1->item(i)->text();
    return lines;
}

// Shows the call window as the dial dialog would and returns its status lines.
QStringList CallWith(TelephonyDouble::Installed& tapi, const QString& number = "5551234")
{
    QStringList status;
    {
        TfrmTAPICall call(number);
        call.show();
        EXPECT_EQ(call.TelePhoneNumber->text(), number);
        status = Status(call);
    }
    tapi.script.requests << "--";
    return status;
}

TEST(TapiCall, EachSetUpFailureIsListedAndTheServiceLetGo)
{
    TelephonyDouble::Installed tapi;
    tapi.script.devices = 0;
    EXPECT_EQ(CallWith(tapi), (QStringList{"Error!! - No TAPI devices found", "* Unknown Error calling number",
                                           "* Is the line busy?"}));
    tapi.script.devices = 1;
    tapi.script.negotiate = -5;
    EXPECT_EQ(CallWith(tapi).first(), "Error!! - Unknown TAPI version");
    tapi.script.negotiate = 0;
    tapi.script.open = -2;
    EXPECT_EQ(CallWith(tapi).first(), "Error!! - Unable to open line for outgoing calls");
    tapi.script.initialize = -1;
    EXPECT_EQ(CallWith(tapi).first(), "Error!! - ");
    EXPECT_EQ(tapi.script.requests,
              (QStringList{"initialize", "shutdown", "--",                                                      //
                           "initialize", "negotiate 0 10000 10000000", "shutdown", "--",                        //
                           "initialize", "negotiate 0 10000 10000000", "open ffffffff 20000", "shutdown", "--", //
                           "initialize", "--"}));
}

TEST(TapiCall, ACallFollowsTheStatesTheServiceReports)
{
    TelephonyDouble::Installed tapi;
    tapi.script.applicationName = "Softphone";
    TfrmTAPICall call("9,555-1234");
    call.show();
    EXPECT_FALSE(call.btnCall->isEnabled());
    EXPECT_TRUE(call.btnDropCall->isEnabled());
    TelephonyEvents* events = tapi.script.events;
    ASSERT_NE(events, nullptr);
    events->LineReply(0);
    events->LineReply(-1);
    events->CallStateChanged(CallState::DialTone, DisconnectMode::Normal);
    events->CallStateChanged(CallState::Dialing, DisconnectMode::Normal);
    events->CallStateChanged(CallState::Proceeding, DisconnectMode::Normal);
    events->CallStateChanged(CallState::Busy, DisconnectMode::Normal);
    events->CallStateChanged(CallState::Connected, DisconnectMode::Normal);
    events->CallStateChanged(CallState::Other, DisconnectMode::Normal);
    events->CallStateChanged(CallState::Disconnected, DisconnectMode::Normal);
    events->CallStateChanged(CallState::Disconnected, DisconnectMode::Busy);
    events->CallStateChanged(CallState::Disconnected, DisconnectMode::Other);
    events->CallStateChanged(CallState::Idle, DisconnectMode::Normal);
    EXPECT_TRUE(call.btnCall->isEnabled());
    EXPECT_FALSE(call.btnDropCall->isEnabled());
    events->CallStateChanged(CallState::Idle, DisconnectMode::Normal); // no call left: nothing more
    events->CallStateChanged(CallState::Connected, DisconnectMode::Normal);
    EXPECT_EQ(Status(call),
              (QStringList{"TAPI started", "TAPI Error", "Dialtone Detected...", "Dialing", "Proceeding...", "Busy...",
                           "Connected: Softphone", "Disconnected: normal...", "Busy...", "", "Idle"}));

    tapi.script.drop = -1;
    call.btnDropCallClick();
    EXPECT_EQ(Status(call).last(), "* Unknown Error hanging up");
    tapi.script.makeCall = -1;
    call.btnCall->click();
    EXPECT_EQ(Status(call), (QStringList{"* Unknown Error calling number", "* Is the line busy?"}));
    EXPECT_TRUE(call.btnCall->isEnabled());
}

TEST(TapiCall, ClosingLetsGoOfTheLineAndTheService)
{
    TelephonyDouble::Installed tapi;
    {
        TfrmTAPICall call("");
        call.show();
        EXPECT_TRUE(call.btnCall->isEnabled()) << "an empty number places no call";
    }
    EXPECT_EQ(tapi.script.requests,
              (QStringList{"initialize", "negotiate 0 10000 10000000", "open ffffffff 20000", "close", "shutdown"}));
}

// A "tel:" handler standing in for a softphone.
class PhoneHandler : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

TEST(TapiCall, TheDesktopsPhoneProgramGetsTheNumber)
{
    PhoneHandler handler;
    QDesktopServices::setUrlHandler("tel", &handler, "open");
    const TelephonyFactory previous =
        SetTelephonyFactory([] { return std::make_unique<DesktopTelephony>([] { return true; }); });
    {
        TfrmTAPICall call("9,555 1234");
        call.show();
        QTRY_COMPARE(call.Memo1->count(), 2);
        EXPECT_EQ(Status(call), (QStringList{"Dialing", "Idle"}));
        EXPECT_TRUE(call.btnCall->isEnabled());
    }
    SetTelephonyFactory([] { return std::make_unique<DesktopTelephony>([] { return false; }); });
    {
        TfrmTAPICall call("5551234");
        EXPECT_EQ(Status(call), QStringList{"Error!! - No TAPI devices found"});
    }
    SetTelephonyFactory(previous);
    QDesktopServices::unsetUrlHandler("tel");
    ASSERT_EQ(handler.opened.size(), 1);
    EXPECT_EQ(handler.opened[0].toString(), "tel:9,5551234");
}

// The desktop's answer comes from its own files: a phone program installed and registered in
// the user's mimeapps.list counts, an empty configuration has none.
TEST(TapiCall, ThePhoneProgramIsTheOneTheDesktopRegistered)
{
    QTemporaryDir home;
    // Only this folder counts, not what the machine has installed.
    const char* variables[] = {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS"};
    std::vector<std::optional<QByteArray>> kept;
    for (const char* name : variables) {
        kept.push_back(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
        qputenv(name, QFile::encodeName(home.path()));
    }
    const bool before = DesktopHasTelHandler();
    QFile list(home.filePath("mimeapps.list"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("[Default Applications]\nx-scheme-handler/tel=softphone.desktop\n");
    list.close();
    QDir(home.path()).mkdir("applications");
    QFile program(home.filePath("applications/softphone.desktop"));
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.write("[Desktop Entry]\nType=Application\nName=Softphone\nExec=true %u\nMimeType=x-scheme-handler/tel;\n");
    program.close();
    const bool after = DesktopHasTelHandler();
    for (std::size_t i = 0; i < kept.size(); ++i)
        kept[i] ? qputenv(variables[i], *kept[i]) : qunsetenv(variables[i]);
    EXPECT_FALSE(before);
    EXPECT_TRUE(after) << "xdg-mime (xdg-utils) answers for the desktop";
}

TEST(DialDialog, DialingThroughTelephonyHidesThePortButStillSavesIt)
{
    TempProgramDirectory dir;
    dir.WriteSettingsText("[Dialing]\nPrefix=9,\nInit=ATZ\nPort=3\nMethod=1\nUseTAPI=1\n");
    TelephonyDouble::Installed tapi;
    TBkDialer dialog;
    dialog.show();
    EXPECT_TRUE(dialog.UseTapi->isChecked());
    EXPECT_FALSE(dialog.DirectPanel->isVisible());
    dialog.UseTapi->click();
    EXPECT_TRUE(dialog.DirectPanel->isVisible()) << "the check box shows the modem's settings at once";
    dialog.UseTapi->click();

    dialog.SetupString->setText("AT&F");
    dialog.Number->setText("555-1234");
    QStringList status;
    WhenModalOpens([&](QWidget* modal) {
        auto* call = qobject_cast<TfrmTAPICall*>(modal);
        ASSERT_NE(call, nullptr);
        status = Status(*call);
        call->Button1->click();
    });
    dialog.Dialbutton->click();
    EXPECT_TRUE(ModalWasHandled());
    EXPECT_TRUE(tapi.script.requests.contains("call 9,555-1234"));
    EXPECT_TRUE(status.isEmpty());
    const QString saved = dir.SettingsText();
    for (const char* line : {"Prefix=9,", "Init=AT&F", "Port=3", "Method=1", "UseTAPI=1"})
        EXPECT_TRUE(saved.contains(line)) << line;
}

TEST(DialDialog, ANumberTooLongForTheCallWindowIsNotCut)
{
    TempProgramDirectory dir;
    dir.WriteSettingsText("[Dialing]\nPrefix=1-800-\nUseTAPI=1\n");
    TelephonyDouble::Installed tapi;
    ScriptedMessages messages;
    TBkDialer dialog;
    dialog.show();
    dialog.Number->setText("555-1234 ext. 8765 ask for Jo");
    dialog.Dialbutton->click();
    EXPECT_EQ(messages.Texts(), QStringList{"The number to call, prefix included, is longer than 30 characters."});
    EXPECT_TRUE(tapi.script.requests.isEmpty());

    // The longest number the dialog lets through, the call window takes whole.
    dialog.Number->setText("555-1234 ext. 876543 ask");
    WhenModalOpens([](QWidget* modal) {
        auto* call = qobject_cast<TfrmTAPICall*>(modal);
        ASSERT_NE(call, nullptr);
        EXPECT_EQ(call->TelePhoneNumber->text(), "1-800-555-1234 ext. 876543 ask");
        call->Button1->click();
    });
    dialog.Dialbutton->click();
    EXPECT_TRUE(ModalWasHandled());
    EXPECT_TRUE(tapi.script.requests.contains("call 1-800-555-1234 ext. 876543 ask"));
}

} // namespace

#include "telephony_test.moc"
