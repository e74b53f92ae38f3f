#include "platform/whatsthis.h"

#include <QAction>
#include <QDialog>
#include <QKeySequence>
#include <QMenu>
#include <QShortcut>
#include <QWhatsThis>
#include <QWidget>

void SetWhatsThis(QWidget* window, WhatsThisTexts texts)
{
    for (const auto& [name, text] : texts) {
        QWidget* control = window->objectName() == QLatin1StringView(name)
                               ? window
                               : window->findChild<QWidget*>(QLatin1StringView(name));
        if (control)
            control->setWhatsThis(QString::fromUtf8(text));
    }
    if (qobject_cast<QDialog*>(window)) {
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
