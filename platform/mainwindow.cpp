#include "platform/mainwindow.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace {

QPointer<QWidget>& registered()
{
    static QPointer<QWidget> window;
    return window;
}

} // namespace

void SetMainWindow(QWidget* window)
{
    registered() = window;
}

QWidget* MainWindow()
{
    return registered().data();
}

QWidget* DialogOwner()
{
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal : MainWindow();
}
