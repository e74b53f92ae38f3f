#include "select/addqry.h"

#include "select/queryformplaces.h"
#include "select/querytips.h"
#include "select/selection.h"

#include "platform/help.h"
#include "platform/whatsthis.h"
#include "table/ttable.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kHelpTopic = 1033;
constexpr int kGap = 8;
constexpr int kReverseOffset = 10; // "Reverse" sits this far right of "Tagged"

} // namespace

TAddressQueryForm::TAddressQueryForm(Selection& selection, const QString& tagId, TTable& table, TApollo& apollo,
                                     QWidget* mainWindow, const RecordCardControls& card)
    : QDialog(mainWindow), selection_(selection), tagId_(tagId), table_(table), apollo_(apollo)
{
    setObjectName(QStringLiteral("AddressQueryForm"));
    setWindowTitle(QStringLiteral("Address Filter"));
    const QueryFormPlaces places = placesFromRecordCard(card);

    QRect used;
    for (QueryField field : allQueryFields()) {
        const QueryFormPlaces::Field& place = places.fields[static_cast<std::size_t>(field)];
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1StringView(queryFieldInfo(field).controlName));
        edit->setGeometry(place.edit);
        auto* label = new QLabel(place.caption, this);
        label->setObjectName(edit->objectName() + QStringLiteral("Label"));
        label->setGeometry(place.label);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setBuddy(edit);
        edit->setWhatsThis(QueryFieldTip(field));
        ShowWhatsThisOnRightClick(edit);
        edits_[static_cast<std::size_t>(field)] = edit;
        used |= place.edit | place.label;
    }

    qTagged = new QCheckBox(QStringLiteral("Tagged"), this);
    qTagged->setObjectName(QStringLiteral("qTagged"));
    qTagged->setGeometry(places.tagged);
    qReverse = new QCheckBox(QStringLiteral("Reverse"), this);
    qReverse->setObjectName(QStringLiteral("qReverse"));
    qReverse->adjustSize();
    qReverse->move(places.tagged.right() + 1 + kReverseOffset, places.tagged.top());
    used |= qTagged->geometry() | qReverse->geometry();

    QLineEdit* date = edits_[static_cast<std::size_t>(QueryField::Date)];
    date->setToolTip(QStringLiteral("Note: enter dates in the form: YYYYMMDD\n(i.e. 19970428 for April 28, 1997)"));
    date->installEventFilter(this);
    DateHint = new QLabel(QStringLiteral("(YYYYMMDD)"), this);
    DateHint->setObjectName(QStringLiteral("DateHint"));
    DateHint->adjustSize();
    // Beside the date rather than under it, where the card keeps the "Tagged" box.
    DateHint->move(date->geometry().right() + kGap, date->y() + (date->height() - DateHint->height()) / 2);
    DateHint->hide();
    used |= DateHint->geometry();

    const int width = used.right() + kGap;
    auto* note = new QLabel(
        QStringLiteral("Hint: to look for only part of a value, first type in a $ and then the value to look "
                       "for. As an example, to find all records containing the code letter C in the Codes "
                       "field, type in $C. Right click on any field or press HELP for more helpful tips"),
        this);
    note->setObjectName(QStringLiteral("Note"));
    note->setWordWrap(true);
    note->setGeometry(kGap, used.bottom() + 2 * kGap, width - 2 * kGap, note->heightForWidth(width - 2 * kGap));

    qMatchCount = new QLabel(this);
    qMatchCount->setObjectName(QStringLiteral("qMatchCount"));
    qMatchCount->setGeometry(kGap, note->geometry().bottom() + kGap, width - 2 * kGap,
                             qMatchCount->sizeHint().height());

    qSetFilterButton = AddButton(QStringLiteral("Test"), "qSetFilterButton");
    qClearButton = AddButton(QStringLiteral("Clear"), "qClearButton");
    OkButton = AddButton(QStringLiteral("Ok"), "OkButton");
    CancelButton = AddButton(QStringLiteral("Cancel"), "CancelButton");
    HelpButton = AddButton(QStringLiteral("Help"), "HelpButton");
    OkButton->setDefault(true);

    const int buttonTop = qMatchCount->geometry().bottom() + kGap;
    int x = width;
    for (QPushButton* button : {HelpButton, CancelButton, OkButton, qClearButton, qSetFilterButton}) {
        x -= button->sizeHint().width();
        button->setGeometry(x, buttonTop, button->sizeHint().width(), button->sizeHint().height());
        x -= kGap;
    }
    setFixedSize(width, buttonTop + OkButton->height() + kGap);

    connect(qSetFilterButton, &QPushButton::clicked, this, &TAddressQueryForm::qSetFilterButtonClick);
    connect(qClearButton, &QPushButton::clicked, this, &TAddressQueryForm::qClearButtonClick);
    connect(OkButton, &QPushButton::clicked, this, &TAddressQueryForm::OkButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpButton, &QPushButton::clicked, this, &TAddressQueryForm::HelpButtonClick);
    SetHelpContext(this, kHelpTopic);
    ExplainQueryForm(this);

    // Tab walks the fields in the order of the record card, then the two check boxes.
    QWidget* previous = edits_.front();
    for (QueryField field : allQueryFields()) {
        QWidget* edit = edits_[static_cast<std::size_t>(field)];
        if (edit != previous)
            setTabOrder(previous, edit);
        previous = edit;
    }
    setTabOrder(previous, qTagged);
    setTabOrder(qTagged, qReverse);
    edits_.front()->setFocus();
}

QPushButton* TAddressQueryForm::AddButton(const QString& caption, const char* name)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QLatin1StringView(name));
    // Buttons stay out of the tab order: Tab moves only through the fields.
    button->setFocusPolicy(Qt::ClickFocus);
    button->setAutoDefault(false);
    return button;
}

void TAddressQueryForm::SetValues(const QueryValues& values)
{
    for (QueryField field : allQueryFields())
        edits_[static_cast<std::size_t>(field)]->setText(values[field]);
    qTagged->setChecked(values.tagged);
    qReverse->setChecked(values.reverse);
}

QueryValues TAddressQueryForm::Values() const
{
    QueryValues values;
    for (QueryField field : allQueryFields())
        values[field] = edits_[static_cast<std::size_t>(field)]->text();
    values.tagged = qTagged->isChecked();
    values.reverse = qReverse->isChecked();
    return values;
}

void TAddressQueryForm::qSetFilterButtonClick()
{
    qMatchCount->setText(QStringLiteral("Searching..."));
    selection_.values = Values();
    QApplication::processEvents();
    const long count = selection_.ApplyFilter(apollo_, tagId_);
    qMatchCount->setText(selection_.FilterSet() ? QString::number(count) + QStringLiteral(" matches")
                                                : QStringLiteral("No filter set"));
    if (table_.Active())
        table_.First();
}

void TAddressQueryForm::qClearButtonClick()
{
    SetValues(QueryValues{});
    qSetFilterButtonClick();
}

void TAddressQueryForm::OkButtonClick()
{
    qSetFilterButtonClick();
    accept();
}

void TAddressQueryForm::HelpButtonClick()
{
    ShowHelpTopic(kHelpTopic);
}

bool TAddressQueryForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edits_[static_cast<std::size_t>(QueryField::Date)]) {
        if (event->type() == QEvent::FocusIn)
            DateHint->show();
        else if (event->type() == QEvent::FocusOut)
            DateHint->hide();
    }
    return QDialog::eventFilter(watched, event);
}
