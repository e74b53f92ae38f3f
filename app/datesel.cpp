#include "app/datesel.h"

#include "app/dialogbuttons.h"
#include "app/whatsthistexts.h"
#include "platform/help.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

TDateSelector::TDateSelector(const QDate& start, QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Select a Date");
    setObjectName("DateSelector");

    DateLabel = new QLabel(this);
    DateLabel->setObjectName("DateLabel");
    DateLabel->setAlignment(Qt::AlignCenter);
    QFont big = DateLabel->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.2);
    DateLabel->setFont(big);

    Calendar = new QCalendarWidget(this);
    Calendar->setObjectName("Calendar");
    Calendar->setFirstDayOfWeek(Qt::Sunday);
    Calendar->setGridVisible(true);
    Calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    Calendar->setSelectedDate(start.isValid() ? start : QDate::currentDate());
    connect(Calendar, &QCalendarWidget::selectionChanged, this, &TDateSelector::UpdateDateLabel);
    // A double-click on a day is the quickest way to pick it.
    connect(Calendar, &QCalendarWidget::activated, this, [this] { done(Ok); });

    auto moveButton = [this](const char* name, const char* caption, auto action) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, action);
        return b;
    };
    auto* moves = new QHBoxLayout;
    moves->addWidget(moveButton("YearBackButton", "Year-", [this] { MoveBy(-1, 0); }));
    moves->addWidget(moveButton("MonthBackButton", "Month-", [this] { MoveBy(0, -1); }));
    moves->addWidget(moveButton("TodayButton", "Today", [this] { Calendar->setSelectedDate(QDate::currentDate()); }));
    moves->addWidget(moveButton("MonthForwardButton", "Month +", [this] { MoveBy(0, 1); }));
    moves->addWidget(moveButton("YearForwardButton", "Year+", [this] { MoveBy(1, 0); }));

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = AddNamedButton(buttons, "Ok", QDialogButtonBox::AcceptRole, "OkButton");
    ok->setDefault(true);
    auto* cancel = AddNamedButton(buttons, "Cancel", QDialogButtonBox::RejectRole, "CancelButton");
    auto* noDate = AddNamedButton(buttons, "No Date", QDialogButtonBox::ResetRole, "NoDateButton");
    auto* help = AddNamedButton(buttons, "Help", QDialogButtonBox::HelpRole, "HelpButton");
    connect(ok, &QPushButton::clicked, this, [this] { done(Ok); });
    connect(cancel, &QPushButton::clicked, this, [this] { done(Cancelled); });
    connect(noDate, &QPushButton::clicked, this, [this] { done(NoDate); });
    connect(help, &QPushButton::clicked, this, [this] { ShowHelpTopic(1029); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(DateLabel);
    layout->addLayout(moves);
    layout->addWidget(Calendar);
    layout->addWidget(buttons);

    UpdateDateLabel();
    ExplainDateSelector(this);
}

QDate TDateSelector::SelectedDate() const
{
    return Calendar->selectedDate();
}

QString TDateSelector::SelectedRecordDate() const
{
    return SelectedDate().toString("yyyyMMdd");
}

void TDateSelector::reject()
{
    done(Cancelled);
}

void TDateSelector::MoveBy(int years, int months)
{
    Calendar->setSelectedDate(Calendar->selectedDate().addYears(years).addMonths(months));
}

void TDateSelector::UpdateDateLabel()
{
    DateLabel->setText(QLocale().toString(SelectedDate(), QLocale::LongFormat));
}
