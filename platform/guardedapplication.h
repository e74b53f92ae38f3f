#pragma once

#include <QApplication>

// The program's application object. An exception that escapes an event handler would end
// the program with the user's work in it; this one reports it in a message box and the
// program goes on with the next event.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

    bool notify(QObject* receiver, QEvent* event) override;
};
