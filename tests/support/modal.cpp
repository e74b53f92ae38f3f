#include "modal.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <utility>

namespace {
bool handled = false;
}

void WhenModalOpens(std::function<void(QWidget*)> action, int deadlineMs)
{
    handled = false;
    auto* timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    auto answered = std::make_shared<QPointer<QWidget>>();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, answered, action, deadlineMs] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && !*answered) {
            *answered = modal;
            handled = true;
            action(modal);
        }
        const bool closed = *answered && !(*answered)->isVisible();
        const bool late = !closed && clock->elapsed() > deadlineMs;
        if (late)
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        if (closed || late) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(20);
}

bool ModalWasHandled()
{
    return std::exchange(handled, false);
}
