#include "platform/help.h"

#include "platform/helpwindow.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>
#include <utility>

namespace {

class WindowHelpService : public HelpService {
public:
    void ShowTopic(int context) override { THelpWindow::Open()->ShowTopic(context); }
    void ShowContents() override { THelpWindow::Open()->ShowContents(); }
    void ShowHowToUseHelp() override { THelpWindow::Open()->ShowHowToUseHelp(); }
    void ShowSearch() override { THelpWindow::Open()->ShowSearch(); }
};

HelpService*& installedService()
{
    static HelpService* service = nullptr;
    return service;
}

HelpService& service()
{
    static WindowHelpService window;
    HelpService* installed = installedService();
    return installed ? *installed : window;
}

} // namespace

HelpService* SetHelpService(HelpService* service)
{
    return std::exchange(installedService(), service);
}

void ShowHelpTopic(int context)
{
    service().ShowTopic(context);
}

void ShowHelpContents()
{
    service().ShowContents();
}

void ShowHowToUseHelp()
{
    service().ShowHowToUseHelp();
}

void ShowHelpSearch()
{
    service().ShowSearch();
}

void SetHelpContext(QWidget* window, int context)
{
    window->setProperty("helpContext", context);
    auto* shortcut = new QShortcut(QKeySequence::HelpContents, window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, window, [context] { ShowHelpTopic(context); });
}
