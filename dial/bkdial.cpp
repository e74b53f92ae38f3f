#include "dial/bkdial.h"

#include "dial/dialsettings.h"
#include "dial/radiogroup.h"
#include "dial/tapicall.h"
#include "platform/help.h"
#include "platform/messages.h"
#include "platform/placement.h"
#include "platform/serialport.h"
#include "platform/whatsthis.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

QLineEdit* NamedEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1StringView(name));
    return edit;
}

QPushButton* NamedButton(QDialogButtonBox* box, const QString& caption, QDialogButtonBox::ButtonRole role,
                         const char* name)
{
    QPushButton* button = box->addButton(caption, role);
    button->setObjectName(QLatin1StringView(name));
    return button;
}

} // namespace

TBkDialer::TBkDialer(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("BkDialer"));
    setWindowTitle(QStringLiteral("Dial Phone Number"));

    prefix = NamedEdit("prefix", this);
    Number = NamedEdit("Number", this);
    UseTapi = new QCheckBox(QStringLiteral("Use TAPI to dial"), this);
    UseTapi->setObjectName(QStringLiteral("UseTapi"));

    DirectPanel = new QWidget(this);
    DirectPanel->setObjectName(QStringLiteral("DirectPanel"));
    Port = new TRadioGroup(
        "Port", QStringLiteral("Port"),
        {QStringLiteral("COM 1"), QStringLiteral("COM 2"), QStringLiteral("COM 3"), QStringLiteral("COM 4")}, 2,
        DirectPanel);
    PortDevice = new QLabel(DirectPanel);
    PortDevice->setObjectName(QStringLiteral("PortDevice"));
    ToneOrPulse = new TRadioGroup("ToneOrPulse", QStringLiteral("Method"),
                                  {QStringLiteral("Tone"), QStringLiteral("Pulse")}, 1, DirectPanel);
    SetupString = NamedEdit("SetupString", DirectPanel);

    auto* direct = new QFormLayout(DirectPanel);
    direct->setContentsMargins(0, 0, 0, 0);
    auto* choices = new QHBoxLayout;
    auto* portColumn = new QVBoxLayout;
    portColumn->addWidget(Port);
    portColumn->addWidget(PortDevice);
    choices->addLayout(portColumn);
    choices->addWidget(ToneOrPulse, 0, Qt::AlignTop);
    direct->addRow(choices);
    direct->addRow(QStringLiteral("Modem &Initialization String"), SetupString);

    auto* buttons = new QDialogButtonBox(this);
    Dialbutton = NamedButton(buttons, QStringLiteral("Dial"), QDialogButtonBox::AcceptRole, "Dialbutton");
    CancelButton = NamedButton(buttons, QStringLiteral("Cancel"), QDialogButtonBox::RejectRole, "CancelButton");
    HelpButton = NamedButton(buttons, QStringLiteral("Help"), QDialogButtonBox::HelpRole, "HelpButton");
    Dialbutton->setDefault(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Prefix"), prefix);
    form->addRow(QStringLiteral("&Number to Dial"), Number);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(UseTapi);
    layout->addWidget(DirectPanel);
    layout->addWidget(buttons);

    // "Dial" keeps the dialog open for another number; only "Cancel" closes it.
    connect(Dialbutton, &QPushButton::clicked, this, &TBkDialer::DialButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpButton, &QPushButton::clicked, this, [] { ShowHelpTopic(HelpContext); });
    connect(UseTapi, &QCheckBox::clicked, this, &TBkDialer::UseTapiClick);
    connect(Port, &TRadioGroup::ItemIndexChanged, this, &TBkDialer::PortClick);
    SetHelpContext(this, HelpContext);
    SetWhatsThis(
        this,
        {
            {"prefix", "Dialed before every number, directly in front of it: for example 9, to get an outside line "
                       "(the comma makes the modem pause)."},
            {"Number", "The number to dial, sent exactly as it stands: dashes, blanks and brackets do no harm."},
            {"UseTapi", "Check to hand the number to the desktop's phone program (a softphone or a phone-link "
                        "program registered for phone links) instead of a modem."},
            {"Port", "The serial port the modem is connected to. Below it: the device that port opens. Each port "
                     "can be pointed at another device (a USB modem is /dev/ttyACM0) with the keys COM1 to COM4 "
                     "in the Dialing section of the settings file ADR.ini."},
            {"ToneOrPulse", "Tone dialing for almost every line today; pulse for old rotary-dial exchanges."},
            {"SetupString", "Commands the modem gets before each dial, for example &F to reset it to factory "
                            "settings. \"AT\" is put in front when missing. Leave empty to dial at once."},
            {"Dialbutton", "Saves these choices and dials. Pick up the handset when asked; the dialog stays open "
                           "for another number."},
            {"CancelButton", "Closes the dialog."},
            {"HelpButton", "Explains dialing."},
        });
}

void TBkDialer::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!firstActivation_ || event->spontaneous())
        return;
    firstActivation_ = false;
    LoadPreferences();
}

void TBkDialer::LoadPreferences()
{
    const DialSettings s = ReadDialSettings();
    prefix->setText(s.prefix);
    SetupString->setText(s.init);
    Port->SetItemIndex(s.port);
    ToneOrPulse->SetItemIndex(s.method);
    UseTapi->setChecked(s.useTapi);
    UseTapiClick();
    PortClick();
}

void TBkDialer::SavePreferences()
{
    WriteDialSettings(
        {prefix->text(), SetupString->text(), Port->ItemIndex(), ToneOrPulse->ItemIndex(), UseTapi->isChecked()});
}

void TBkDialer::UseTapiClick()
{
    DirectPanel->setVisible(!UseTapi->isChecked());
}

void TBkDialer::PortClick()
{
    PortDevice->setText(QStringLiteral("Opens ") + SerialPortDevice(Port->ItemIndex() + 1));
}

void TBkDialer::DialButtonClick()
{
    HelpButton->hide();
    SavePreferences();
    if (UseTapi->isChecked()) {
        DoTapiDial();
        return;
    }
    Dialer1.NumberToDial = prefix->text() + Number->text();
    Dialer1.InitStr = SetupString->text();
    Dialer1.Method = ToneOrPulse->ItemIndex() == 1 ? TDialMethod::dmPulse : TDialMethod::dmTone;
    Dialer1.ComPort = static_cast<TDialPort>(Port->ItemIndex());
    Dialer1.Dial();
}

void TBkDialer::DoTapiDial()
{
    const QString number = prefix->text() + Number->text();
    // Cut to fit, the call would reach somebody else: say so instead.
    if (number.size() > TfrmTAPICall::MaxNumber) {
        ShowInformation(QStringLiteral("The number to call, prefix included, is longer than %1 characters.")
                            .arg(TfrmTAPICall::MaxNumber));
        return;
    }
    TfrmTAPICall call(number, this);
    CenterDialog(&call);
    call.exec();
}
