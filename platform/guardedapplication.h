#pragma once

#include <QApplication>

// The program's application object. An exception that escapes an event handler would end
// the program with the user's work in it; this one reports it in a message box and the
// program goes on with the next event. It also makes the window library's message boxes,
// printers and print dialogs the program's own.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
