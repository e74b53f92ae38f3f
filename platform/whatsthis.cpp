#include "platform/whatsthis.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QShortcut>
#include <QWhatsThis>
#include <QWidget>

void SetWhatsThis(QWidget* window, WhatsThisTexts texts)
{
    for (const auto& [name, text] : texts) {
        if (auto* control = window->findChild<QWidget*>(QLatin1StringView(name)))
            control->setWhatsThis(QString::fromUtf8(text));
    }
    // A main window has the Help menu's item with the same shortcut instead.
    if (window->isWindow() && !qobject_cast<QMainWindow*>(window)) {
        window->setWindowFlag(Qt::WindowContextHelpButtonHint, true);
        auto* shortcut = new QShortcut(QKeySequence::WhatsThis, window);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, window, [] { QWhatsThis::enterWhatsThisMode(); });
    }
}

void AddWhatsThisItem(QMenu* menu, QAction* before)
{
    QAction* item = QWhatsThis::createAction(menu);
    item->setObjectName(QStringLiteral("WhatsThis1"));
    menu->insertAction(before, item);
}

void ShowWhatsThisOnRightClick(QWidget* control)
{
    control->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(control, &QWidget::customContextMenuRequested, control, [control](const QPoint& at) {
        QWhatsThis::showText(control->mapToGlobal(at), control->whatsThis(), control);
    });
}
