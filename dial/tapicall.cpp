#include "dial/tapicall.h"

#include "platform/help.h"
#include "platform/whatsthis.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

constexpr std::uint32_t kLowestVersion = 0x00010000;
constexpr std::uint32_t kHighestVersion = 0x10000000;

QPushButton* NamedButton(const QString& caption, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1StringView(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

TfrmTAPICall::TfrmTAPICall(const QString& number, QWidget* parent)
    : QDialog(parent), service_(CreateTelephony()), number_(number)
{
    setObjectName(QStringLiteral("frmTAPICall"));
    setWindowTitle(QStringLiteral("TAPI Call - PICK UP THE PHONE"));

    TelePhoneNumber = new QLineEdit(this);
    TelePhoneNumber->setObjectName(QStringLiteral("TelePhoneNumber"));
    TelePhoneNumber->setMaxLength(MaxNumber);
    btnCall = NamedButton(QStringLiteral("Call"), "btnCall", this);
    btnDropCall = NamedButton(QStringLiteral("Hangup"), "btnDropCall", this);
    btnDropCall->setEnabled(false);
    Button1 = NamedButton(QStringLiteral("Close"), "Button1", this);
    Memo1 = new QListWidget(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Number to call"), TelePhoneNumber);
    auto* status = new QLabel(QStringLiteral("Status"), this);
    status->setBuddy(Memo1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnCall);
    buttons->addWidget(btnDropCall);
    buttons->addWidget(Button1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(status);
    layout->addWidget(Memo1);
    layout->addLayout(buttons);
    resize(360, 280);

    connect(btnCall, &QPushButton::clicked, this, &TfrmTAPICall::btnCallClick);
    connect(btnDropCall, &QPushButton::clicked, this, &TfrmTAPICall::btnDropCallClick);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    SetHelpContext(this, HelpContext);
    SetWhatsThis(
        this,
        {
            {"TelePhoneNumber", "The number to call, at most 30 characters. Change it and press Call to call again."},
            {"btnCall", "Hands the number to the desktop's phone program, which places the call. Pick up the "
                        "phone when it rings or answer in the phone program."},
            {"btnDropCall", "Ends the call that is being placed."},
            {"Button1", "Closes this window and lets go of the line."},
            {"Memo1", "What the phone service reports about the call, one line at a time."},
        });

    SetUpLine();
}

TfrmTAPICall::~TfrmTAPICall()
{
    if (lineOpen_)
        service_->Close();
    if (initialized_)
        service_->Shutdown();
}

void TfrmTAPICall::SetUpLine()
{
    std::uint32_t devices = 0;
    QString failure;
    if (service_->Initialize(this, devices) < 0)
        return AddStatus(QStringLiteral("Error!! - "));
    initialized_ = true;
    std::uint32_t version = 0;
    if (devices == 0)
        failure = QStringLiteral("No TAPI devices found");
    else if (service_->NegotiateApiVersion(0, kLowestVersion, kHighestVersion, version) < 0)
        failure = QStringLiteral("Unknown TAPI version");
    else if (service_->Open(Telephony::LineMapper, version) < 0)
        failure = QStringLiteral("Unable to open line for outgoing calls");
    else
        lineOpen_ = true;
    if (!lineOpen_) {
        service_->Shutdown();
        initialized_ = false;
        AddStatus(QStringLiteral("Error!! - ") + failure);
    }
}

void TfrmTAPICall::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!firstActivation_ || event->spontaneous())
        return;
    firstActivation_ = false;
    TelePhoneNumber->setText(number_);
    btnCall->click();
}

void TfrmTAPICall::btnCallClick()
{
    if (TelePhoneNumber->text().isEmpty())
        return;
    // Without a line the set-up failure stays in view above the call's failure.
    if (lineOpen_)
        Memo1->clear();
    if (!lineOpen_ || service_->MakeCall(TelePhoneNumber->text()) < 0) {
        AddStatus(QStringLiteral("* Unknown Error calling number"));
        AddStatus(QStringLiteral("* Is the line busy?"));
        return;
    }
    callActive_ = true;
    btnCall->setEnabled(false);
    btnDropCall->setEnabled(true);
}

void TfrmTAPICall::btnDropCallClick()
{
    if (service_->Drop() < 0)
        AddStatus(QStringLiteral("* Unknown Error hanging up"));
}

void TfrmTAPICall::LineReply(long result)
{
    AddStatus(result < 0 ? QStringLiteral("TAPI Error") : QStringLiteral("TAPI started"));
}

void TfrmTAPICall::CallStateChanged(CallState state, DisconnectMode mode)
{
    switch (state) {
    case CallState::Idle:
        if (callActive_) {
            service_->DeallocateCall();
            callActive_ = false;
            AddStatus(QStringLiteral("Idle"));
            btnCall->setEnabled(true);
            btnDropCall->setEnabled(false);
        }
        break;
    case CallState::DialTone:
        AddStatus(QStringLiteral("Dialtone Detected..."));
        break;
    case CallState::Dialing:
        AddStatus(QStringLiteral("Dialing"));
        break;
    case CallState::Busy:
        AddStatus(QStringLiteral("Busy..."));
        break;
    case CallState::Connected:
        if (callActive_) {
            QString name;
            if (service_->CallApplicationName(name) && !name.isEmpty())
                AddStatus(QStringLiteral("Connected: ") + name);
        }
        break;
    case CallState::Proceeding:
        AddStatus(QStringLiteral("Proceeding..."));
        break;
    case CallState::Disconnected:
        AddStatus(mode == DisconnectMode::Normal ? QStringLiteral("Disconnected: normal...")
                  : mode == DisconnectMode::Busy ? QStringLiteral("Busy...")
                                                 : QString());
        btnDropCallClick();
        break;
    case CallState::Other:
        break;
    }
}

void TfrmTAPICall::AddStatus(const QString& text)
{
    Memo1->addItem(text);
}
