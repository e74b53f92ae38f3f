#pragma once

#include <QObject>

class AddressSession;
class QAbstractButton;

// The record card's buttons that reach a record's people, handed over by the main window.
struct RecordLinkButtons {
    QAbstractButton* Dial1Button;   // "Dial " beside Phone
    QAbstractButton* Dial2Button;   // "Dial " beside Phone2
    QAbstractButton* Mailbutton;    // "Send" beside Email
    QAbstractButton* WebPageButton; // "Open" beside WebPage
};

// The main window's links to a record's people: the two "Dial " buttons open the dial
// dialog on their phone number, "Send" opens a new e-mail and "Open" the web page, all
// from the session's current record.
class TDialCommands : public QObject {
    Q_OBJECT
public:
    TDialCommands(AddressSession& session, const RecordLinkButtons& buttons, QObject* parent);

    // Dials the number in the field (PHONE or PHONE2).
    void DialClick(const char* field);
    void MailbuttonClick();
    void WebPageButtonClick();

private:
    QString Field(const char* name) const;

    AddressSession& session_;
};
