#pragma once

#include <QObject>

class QAction;
class QMenu;

// The "&Help" menu: the help pages, "What's This?" (Shift+F1) for the window's controls,
// "Configuration Information" for a support request, and "About" last.
class THelpCommands : public QObject {
    Q_OBJECT
public:
    THelpCommands(QMenu* help, QObject* parent);

    QAction* Contents1;                 // "&Contents"
    QAction* SearchforHelpOn1;          // "&Search for Help On..."
    QAction* HowtoUseHelp1;             // "&How to Use Help"
    QAction* ConfigurationInformation1; // "Configuration &Information"
    QAction* About1;                    // "&About Addrina..."

    void ConfigurationInformation1Click();
    void About1Click();
};
