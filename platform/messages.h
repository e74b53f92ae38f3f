#pragma once

#include <QString>
#include <QVector>

// Message-box style bits and answers, with the values the rest of the program stores and
// compares against.
inline constexpr unsigned MbOk = 0x0;
inline constexpr unsigned MbOkCancel = 0x1;
inline constexpr unsigned MbYesNoCancel = 0x3;
inline constexpr unsigned MbYesNo = 0x4;
inline constexpr unsigned MbIconStop = 0x10;
inline constexpr unsigned MbIconQuestion = 0x20;
inline constexpr unsigned MbIconWarning = 0x30;
inline constexpr unsigned MbIconInformation = 0x40;
inline constexpr unsigned MbDefButton2 = 0x100;
inline constexpr unsigned MbDefButton3 = 0x200;

inline constexpr int IdOk = 1;
inline constexpr int IdCancel = 2;
inline constexpr int IdYes = 6;
inline constexpr int IdNo = 7;

// The answers a box with these style bits offers, in button order, and the one its
// default button gives.
QVector<int> MessageButtons(unsigned flags);
int DefaultAnswer(unsigned flags);

// Every message box of the program goes through one service, so tests can script the
// answers and read each caption and text that was shown.
class MessageService {
public:
    virtual ~MessageService() = default;
    // Shows the message and returns the id of the button pressed.
    virtual int Show(const QString& text, const QString& caption, unsigned flags) = 0;
};

// The service used when none is installed (not owned): the window library's message boxes
// once its application runs, standard error before.
void SetDefaultMessageService(MessageService* service);
// Installs a service (not owned) and returns the one it replaces; nullptr restores the
// default one.
MessageService* SetMessageService(MessageService* service);

int ShowMessageBox(const QString& text, const QString& caption, unsigned flags);
// Caption "Information", information icon, one OK button.
void ShowInformation(const QString& text);
// Question icon, Yes and No, Yes the default; true when the user answers Yes.
bool AskYesNo(const QString& text, const QString& caption);
// The same with No as the default.
bool AskYesNoDefaultNo(const QString& text, const QString& caption);
