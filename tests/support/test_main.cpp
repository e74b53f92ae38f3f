#include "child_process.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QLocale>
#include <gtest/gtest.h>

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
    QApplication app(argc, argv);
    int childExit = 0;
    if (RunChildIfAsked(argc, argv, &childExit))
        return childExit;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
