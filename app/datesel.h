#pragma once

#include <QDate>
#include <QDialog>

class QCalendarWidget;
class QLabel;

// "Select a Date": a modal calendar for the record's date. exec() gives one of the
// result codes below; SelectedDate() holds the date shown when it closed.
class TDateSelector : public QDialog {
    Q_OBJECT
public:
    enum Result { Ok = 1, Cancelled = 2, NoDate = 99 };

    explicit TDateSelector(const QDate& start, QWidget* parent = nullptr);

    QDate SelectedDate() const;
    // The date as the record stores it: eight digits year, month, day.
    QString SelectedRecordDate() const;

    // Escape and the close box answer Cancel, like the button.
    void reject() override;

private:
    void MoveBy(int years, int months);
    void UpdateDateLabel();

    QCalendarWidget* Calendar = nullptr;
    QLabel* DateLabel = nullptr;
};
