#include "platform/systembeep.h"

#include <QApplication>

namespace {
std::function<void()>& Handler()
{
    static std::function<void()> handler;
    return handler;
}
} // namespace

void SystemBeep()
{
    if (Handler())
        Handler()();
    else
        QApplication::beep();
}

void SetBeepHandler(std::function<void()> handler)
{
    Handler() = std::move(handler);
}
