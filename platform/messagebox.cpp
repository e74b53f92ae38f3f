#include "platform/messagebox.h"

#include "platform/mainwindow.h"
#include "platform/placement.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon iconFor(unsigned flags)
{
    switch (flags & 0xF0) {
    case MbIconStop:
        return QMessageBox::Critical;
    case MbIconQuestion:
        return QMessageBox::Question;
    case MbIconWarning:
        return QMessageBox::Warning;
    case MbIconInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButton standardButton(int id)
{
    switch (id) {
    case IdYes:
        return QMessageBox::Yes;
    case IdNo:
        return QMessageBox::No;
    case IdCancel:
        return QMessageBox::Cancel;
    default:
        return QMessageBox::Ok;
    }
}

} // namespace

int BoxMessageService::Show(const QString& text, const QString& caption, unsigned flags)
{
    QMessageBox box(iconFor(flags), caption, QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                    QMessageBox::NoButton, DialogOwner());
    const QVector<int> ids = MessageButtons(flags);
    QVector<QPushButton*> buttons;
    for (const int id : ids) {
        buttons.append(box.addButton(standardButton(id)));
        if (id == DefaultAnswer(flags))
            box.setDefaultButton(buttons.back());
    }
    // A short text would make the box too narrow for its caption.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(TitleBarWidth(caption), 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    box.exec();
    const qsizetype clicked = buttons.indexOf(static_cast<QPushButton*>(box.clickedButton()));
    return clicked >= 0 ? ids[clicked] : DefaultAnswer(flags);
}
