#include "app/recordcard.h"

#include "platform/buddylabel.h"
#include "table/dbcheckbox.h"
#include "table/dbedit.h"
#include "table/tdatasource.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QValidator>

namespace {

// Middle initials are capitals whatever is typed; the edit's own check still applies.
class UpperCaseValidator : public QValidator {
public:
    UpperCaseValidator(const QValidator* inner, QObject* parent) : QValidator(parent), Inner(inner) {}
    State validate(QString& input, int& pos) const override
    {
        input = input.toUpper();
        return Inner ? Inner->validate(input, pos) : Acceptable;
    }

private:
    const QValidator* Inner;
};

// Width of an edit for a number of average characters, so the card scales with the font.
int CharsWide(const QWidget* w, int chars)
{
    return w->fontMetrics().averageCharWidth() * chars + 12;
}

QLabel* Caption(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text, buddy->parentWidget());
    label->setBuddy(buddy);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QLabel* Heading(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    label->setForegroundRole(QPalette::Dark);
    label->setContentsMargins(0, 4, 0, 0);
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return label;
}

bool IsPlainEnter(const QKeyEvent* key)
{
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

} // namespace

TRecordCard::TRecordCard(TDataSource* source, QWidget* parent) : QFrame(parent), Source(source)
{
    setObjectName("RecordCard");
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);

    // Created in tab order.
    Last = MakeEdit("Last", "LNAME");
    First = MakeEdit("First", "FNAME");
    Middle = MakeEdit("Middle", "MIDDLE");
    Prefix = MakeEdit("Prefix", "PREFIX");
    Title = MakeEdit("Title", "TITLE");
    Org = MakeEdit("Org", "ORG");
    Street = MakeEdit("Street", "STREET");
    Street2 = MakeEdit("Street2", "STREET2");
    City = MakeEdit("City", "CITY");
    State = MakeEdit("State", "STATE");
    Zip = MakeEdit("Zip", "ZIP");
    Country = MakeEdit("Country", "COUNTRY");
    Phone = MakeEdit("Phone", "PHONE");
    Phone2 = MakeEdit("Phone2", "PHONE2");
    Fax = MakeEdit("Fax", "FAX");
    Email = MakeEdit("Email", "EMAIL");
    WebPage = MakeEdit("WebPage", "WEBPAGE");
    Codes = MakeEdit("Codes", "CODES");
    Comments = MakeEdit("Comments", "COMMENTS");
    Date = MakeEdit("Date", "DisplayDate");

    Middle->setValidator(new UpperCaseValidator(Middle->validator(), Middle));
    Middle->setMaximumWidth(CharsWide(Middle, 3));
    Middle->setAlignment(Qt::AlignCenter);
    Prefix->setMaximumWidth(CharsWide(Prefix, 8));
    // Wide enough for what these fields usually hold: a province spelled out, a postal
    // code with its blank, an address of the usual length.
    State->setMinimumWidth(CharsWide(State, 10));
    State->setMaximumWidth(CharsWide(State, 16));
    Zip->setMinimumWidth(CharsWide(Zip, 9));
    Zip->setMaximumWidth(CharsWide(Zip, 12));
    City->setMinimumWidth(CharsWide(City, 14));
    for (TDBEdit* edit : {Phone, Phone2, Fax})
        edit->setMinimumWidth(CharsWide(edit, 16));
    for (TDBEdit* edit : {Email, WebPage})
        edit->setMinimumWidth(CharsWide(edit, 20));
    Date->setMaximumWidth(CharsWide(Date, 14));

    Tagged = new TDBCheckBox(this);
    Tagged->setObjectName("Tagged");
    Tagged->setText("Tagged");
    Tagged->Link().SetDataSource(source);
    Tagged->Link().SetDataField("Tagged");

    DateLabel = MakeButton("DateLabel", "Date", "Click to pick the date from a calendar");
    Mailbutton = MakeButton("Mailbutton", "Send", "Click to send an e-mail to this address");
    Dial1Button = MakeButton("Dial1Button", "Dial ", "Click to dial phone 1");
    Dial2Button = MakeButton("Dial2Button", "Dial ", "Click to dial phone 2");
    WebPageButton = MakeButton("WebPageButton", "Open", "Click to open this web page");

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(5);
    grid->setContentsMargins(12, 8, 12, 10);

    // Left: who and where. Columns 0-5.
    grid->addWidget(Heading("Name", this), 0, 0, 1, 6);
    grid->addWidget(Caption("Last Name", Last), 1, 0);
    grid->addWidget(Last, 1, 1, 1, 3);
    grid->addWidget(Caption("M.I.", Middle), 1, 4);
    grid->addWidget(Middle, 1, 5);
    grid->addWidget(Caption("First Name", First), 2, 0);
    grid->addWidget(First, 2, 1, 1, 3);
    grid->addWidget(Caption("Prefix", Prefix), 2, 4);
    grid->addWidget(Prefix, 2, 5);
    grid->addWidget(Caption("Title", Title), 3, 0);
    grid->addWidget(Title, 3, 1, 1, 5);
    grid->addWidget(Caption("Organization", Org), 4, 0);
    grid->addWidget(Org, 4, 1, 1, 5);

    grid->addWidget(Heading("Address", this), 5, 0, 1, 6);
    grid->addWidget(Caption("Address 1", Street), 6, 0);
    grid->addWidget(Street, 6, 1, 1, 5);
    grid->addWidget(Caption("Address 2", Street2), 7, 0);
    grid->addWidget(Street2, 7, 1, 1, 5);
    grid->addWidget(Caption("City", City), 8, 0);
    grid->addWidget(City, 8, 1, 1, 5);
    grid->addWidget(Caption("State", State), 9, 0);
    // State and zip stay together however wide the card grows.
    auto* stateZip = new QHBoxLayout;
    stateZip->setSpacing(8);
    stateZip->addWidget(State);
    stateZip->addWidget(Caption("Zip", Zip));
    stateZip->addWidget(Zip);
    stateZip->addStretch(1);
    grid->addLayout(stateZip, 9, 1, 1, 5);
    grid->addWidget(Caption("Country", Country), 10, 0);
    grid->addWidget(Country, 10, 1, 1, 3);

    // Right: how to reach them. Columns 7-9, after a spacer column.
    grid->setColumnMinimumWidth(6, 16);
    grid->addWidget(Heading("Contact", this), 0, 7, 1, 3);
    grid->addWidget(Caption("Phone 1", Phone), 1, 7);
    grid->addWidget(Phone, 1, 8);
    grid->addWidget(Dial1Button, 1, 9);
    grid->addWidget(Caption("Phone 2", Phone2), 2, 7);
    grid->addWidget(Phone2, 2, 8);
    grid->addWidget(Dial2Button, 2, 9);
    grid->addWidget(Caption("Fax", Fax), 3, 7);
    grid->addWidget(Fax, 3, 8);
    grid->addWidget(Caption("E-mail", Email), 4, 7);
    grid->addWidget(Email, 4, 8);
    grid->addWidget(Mailbutton, 4, 9);
    grid->addWidget(Caption("Web Page", WebPage), 5, 7);
    grid->addWidget(WebPage, 5, 8);
    grid->addWidget(WebPageButton, 5, 9);

    grid->addWidget(Heading("Other", this), 6, 7, 1, 3);
    grid->addWidget(Caption("Codes", Codes), 7, 7);
    grid->addWidget(Codes, 7, 8, 1, 2);
    grid->addWidget(DateLabel, 8, 7, Qt::AlignRight);
    grid->addWidget(Date, 8, 8);
    grid->addWidget(Tagged, 9, 8);

    grid->addWidget(Caption("Comments", Comments), 11, 0);
    grid->addWidget(Comments, 11, 1, 1, 9);
    // Height beyond what the card needs opens up evenly between its lines rather than
    // piling up below the last one: each line holds a spacer that may grow.
    const int lastColumn = grid->columnCount();
    for (int row = 0; row < grid->rowCount(); ++row)
        grid->addItem(new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), row, lastColumn);

    // Room to spare goes first to the right column, whose addresses run longest.
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(8, 5);

    // Past a comfortable size the card stops growing; a larger window gives it room
    // around instead of long empty fields and wide gaps.
    const QSize comfortable = minimumSizeHint();
    setMaximumSize(comfortable.width() * 2, comfortable.height() * 2);

    for (int i = 1; i < Edits.size(); ++i)
        setTabOrder(Edits[i - 1], Edits[i]);
    for (TDBEdit* edit : Edits)
        connect(edit, &QLineEdit::textChanged, this, &TRecordCard::UpdateLinkButtons);
    UpdateLinkButtons();
}

TDBEdit* TRecordCard::MakeEdit(const char* name, const char* field)
{
    auto* edit = new TDBEdit(this);
    edit->setObjectName(name);
    edit->Link().SetDataSource(Source);
    edit->Link().SetDataField(field);
    edit->installEventFilter(this);
    Edits.append(edit);
    return edit;
}

QPushButton* TRecordCard::MakeButton(const char* name, const QString& caption, const QString& hint)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setToolTip(hint);
    // Buttons stay out of the way of typing: the edits alone make up the tab order.
    button->setFocusPolicy(Qt::NoFocus);
    // As wide as the caption needs, so the card still fits a small screen.
    button->setMinimumWidth(button->fontMetrics().horizontalAdvance(caption) + 24);
    button->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    return button;
}

bool TRecordCard::IsRecordEdit(const QObject* object) const
{
    return std::find(Edits.begin(), Edits.end(), object) != Edits.end();
}

TDBEdit* TRecordCard::EditNamed(const QString& name) const
{
    for (TDBEdit* edit : Edits)
        if (edit->objectName() == name)
            return edit;
    return nullptr;
}

QString TRecordCard::CaptionOf(const QWidget* edit) const
{
    if (const QLabel* label = BuddyLabelOf(this, edit))
        return label->text();
    return edit == Date ? DateLabel->text() : edit->objectName();
}

void TRecordCard::UpdateLinkButtons()
{
    Mailbutton->setEnabled(!Email->text().isEmpty());
    Dial1Button->setEnabled(!Phone->text().isEmpty());
    Dial2Button->setEnabled(!Phone2->text().isEmpty());
    WebPageButton->setEnabled(!WebPage->text().isEmpty());
}

bool TRecordCard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick && watched != Date) {
        emit EditFieldDoubleClicked();
        return false;
    }
    if (event->type() == QEvent::KeyPress && IsPlainEnter(static_cast<QKeyEvent*>(event))) {
        // Enter moves on, as Tab does, so a record can be typed without leaving the keys.
        focusNextChild();
        return true;
    }
    return QFrame::eventFilter(watched, event);
}
