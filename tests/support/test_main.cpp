#include "child_process.h"
#include "platform/guardedapplication.h"
#include "platform/messages.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A message box that no test scripted would wait for a click forever offscreen: fail the
// test instead and take the box's default button.
class UnexpectedMessages : public MessageService {
public:
    int Show(const QString& text, const QString& caption, unsigned flags) override
    {
        ADD_FAILURE() << "unexpected message box \"" << caption.toStdString() << "\": " << text.toStdString();
        return DefaultAnswer(flags);
    }
};

// Every test program runs offscreen in a fixed locale, so date formats and widget
// behaviour do not depend on the machine the tests run on.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    // A private runtime folder, so Qt neither warns about a missing one nor shares the user's.
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.isValid())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    // The program's own application object, so that its guard on event handlers is tested too.
    GuardedApplication app(argc, argv);
    int childExit = 0;
    if (RunChildIfAsked(argc, argv, &childExit))
        return childExit;
    ::testing::InitGoogleTest(&argc, argv);
    UnexpectedMessages unexpected;
    SetMessageService(&unexpected);
    return RUN_ALL_TESTS();
}
