#pragma once

#include "dial/dialer.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TRadioGroup;

// "Dial Phone Number": dials the number by modem or through the telephony service and
// keeps its choices in the settings file. Stays open for more dials until "Cancel".
class TBkDialer : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpContext = 1031;

    explicit TBkDialer(QWidget* parent = nullptr);

    QLineEdit* prefix;
    QLineEdit* Number;
    QCheckBox* UseTapi;
    QWidget* DirectPanel;
    TRadioGroup* Port;
    QLabel* PortDevice; // which device the chosen port opens
    TRadioGroup* ToneOrPulse;
    QLineEdit* SetupString;
    QPushButton* Dialbutton;
    QPushButton* CancelButton;
    QPushButton* HelpButton;

    TDialer Dialer1;

    void LoadPreferences();
    void SavePreferences();
    void DialButtonClick();
    void DoTapiDial();
    void UseTapiClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void PortClick();

    bool firstActivation_ = true;
};
