#include "app/getflzip.h"

#include "app/characternote.h"
#include "app/dialogbuttons.h"
#include "app/whatsthistexts.h"
#include "platform/help.h"
#include "table/cp1252validator.h"

#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {
bool IsEnter(const QKeyEvent* key)
{
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}
} // namespace

TGetFirstLastZip::TGetFirstLastZip(bool askNames, bool askZip, Widths widths, QWidget* parent) : QDialog(parent)
{
    setWindowTitle("New Record");
    setObjectName("GetFirstLastZip");

    Form = new QFormLayout;
    Note = new QStatusBar(this);
    Note->setObjectName("Note");
    Note->setSizeGripEnabled(false);
    LastName = AddEdit("LastName", "Last Name", widths.last);
    FirstName = AddEdit("FirstName", "First Name", widths.first);
    ZipCode = AddEdit("ZipCode", "Zip Code or Postal Code", widths.zip);
    // Hidden rows take no room, so without the names the zip stands where the last name would.
    Form->setRowVisible(LastName, askNames);
    Form->setRowVisible(FirstName, askNames);
    Form->setRowVisible(ZipCode, askZip);

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = AddNamedButton(buttons, "Ok [PgDn]", QDialogButtonBox::AcceptRole, "OkButton");
    auto* cancel = AddNamedButton(buttons, "Cancel", QDialogButtonBox::RejectRole, "CancelButton");
    auto* help = AddNamedButton(buttons, "Help", QDialogButtonBox::HelpRole, "HelpButton");
    for (auto* b : {ok, cancel, help})
        b->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { ShowHelpTopic(1091); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(Form);
    layout->addWidget(buttons);
    layout->addWidget(Note);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Page Down accepts from anywhere in the dialog.
    for (auto* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    (askNames ? LastName : ZipCode)->setFocus();
    ExplainNewRecord(this);
}

QLineEdit* TGetFirstLastZip::AddEdit(const char* name, const QString& caption, int width)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setMaxLength(width);
    // The record takes what is typed here: refuse at once what it could not store.
    auto* validator = new Cp1252Validator(edit);
    edit->setValidator(validator);
    connect(validator, &Cp1252Validator::refused, this,
            [this, caption] { Note->showMessage(RefusedCharacterNote(caption), 10000); });
    const int shown = qBound(8, width, 32) + 1;
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(shown, QChar('M'))) * 3 / 4);
    Form->addRow(caption, edit);
    return edit;
}

QString TGetFirstLastZip::LastNameText() const
{
    return LastName->text();
}
QString TGetFirstLastZip::FirstNameText() const
{
    return FirstName->text();
}
QString TGetFirstLastZip::ZipText() const
{
    return ZipCode->text();
}

bool TGetFirstLastZip::eventFilter(QObject* watched, QEvent* event)
{
    const bool zipShown = ZipCode->isVisibleTo(this);
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_PageDown) {
            accept();
            return true;
        }
        if (IsEnter(key)) {
            if (watched == ZipCode || (watched == FirstName && !zipShown))
                accept();
            else if (watched == LastName || watched == FirstName)
                focusNextChild();
            else
                return false;
            return true;
        }
    }
    // Tabbing on from the first name ends the dialog when nothing follows it; going
    // back, or clicking Cancel or Help, does not.
    if (event->type() == QEvent::FocusOut && watched == FirstName && !zipShown &&
        static_cast<QFocusEvent*>(event)->reason() == Qt::TabFocusReason && isVisible())
        accept();
    return QDialog::eventFilter(watched, event);
}
