#pragma once

#include "platform/telephony.h"

#include <QDialog>
#include <memory>

class QLineEdit;
class QListWidget;
class QPushButton;

// "TAPI Call - PICK UP THE PHONE": places one call through the telephony service and lists
// what the service reports about it. The line is set up on creation and let go on close.
class TfrmTAPICall : public QDialog, private TelephonyEvents {
    Q_OBJECT
public:
    static constexpr int HelpContext = 1031;
    // The longest number the window takes.
    static constexpr int MaxNumber = 30;

    TfrmTAPICall(const QString& number, QWidget* parent = nullptr);
    ~TfrmTAPICall() override;

    QLineEdit* TelePhoneNumber;
    QPushButton* btnCall;
    QPushButton* btnDropCall;
    QPushButton* Button1;
    QListWidget* Memo1;

    void btnCallClick();
    void btnDropCallClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void LineReply(long result) override;
    void CallStateChanged(CallState state, DisconnectMode mode) override;
    void SetUpLine();
    void AddStatus(const QString& text);

    std::unique_ptr<Telephony> service_;
    QString number_;
    bool initialized_ = false; // the service is in use
    bool lineOpen_ = false;
    bool callActive_ = false;
    bool firstActivation_ = true;
};
