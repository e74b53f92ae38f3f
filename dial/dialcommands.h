#pragma once

#include "session/mainmenus.h"

#include <QObject>

class AddressSession;

// The main window's links to a record's people: the "Dial " buttons beside the two phone
// fields open the dial dialog, "Send" opens a new e-mail and "Open" the web page. It also
// puts "What's This?" and "Configuration Information" on the Help menu. It finds the buttons
// by name in the main window and reads the session's current record.
class TDialCommands : public QObject {
    Q_OBJECT
public:
    TDialCommands(AddressSession& session, const MainMenus& menus, QObject* parent);

    // Dials PHONE for the button named "Dial1Button", PHONE2 for any other.
    void Dial1ButtonClick(QObject* button);
    void MailbuttonClick();
    void WebPageButtonClick();
    void ConfigurationInformation1Click();

private:
    QString Field(const char* name) const;

    AddressSession& session_;
};
