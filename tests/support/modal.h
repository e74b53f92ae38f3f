#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// Works a modal dialog that the code under test is about to open with exec(): polls
// for the next modal widget, hands it to the action (which must close it) and, should
// no modal appear or the action leave it open, closes whatever is modal after the
// deadline so a wrong test fails instead of hanging. Call before the code that opens it.
void WhenModalOpens(std::function<void(QWidget*)> action, int deadlineMs = 5000);

// True when WhenModalOpens found a modal since the last call (then resets).
bool ModalWasHandled();

// Runs the action on the next modal window of class T once it is shown and ready (the
// action must close it); gives up after ten seconds. The check runs from the event loop,
// so a window whose run lets events through is acted on only once the run is over.
template <typename T>
void WhenShown(
    std::function<void(T*)> action, std::function<bool(T*)> ready = [](T*) { return true; })
{
    auto* timer = new QTimer;
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(timer, &QTimer::timeout, [timer, started, action, ready] {
        auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
        if (window && ready(window)) {
            timer->stop();
            timer->deleteLater();
            action(window);
        } else if (started->elapsed() > 10000) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "window never opened";
        }
    });
    timer->start(20);
}
