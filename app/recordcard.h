#pragma once

#include <QFrame>
#include <QList>

class QPushButton;
class TDataSource;
class TDBCheckBox;
class TDBEdit;

// The current record laid out like an address card: name and address on the left,
// the ways to reach the person on the right, codes, date and comments below. Every edit
// is bound to its field of the data source and named after it.
class TRecordCard : public QFrame {
    Q_OBJECT
public:
    explicit TRecordCard(TDataSource* source, QWidget* parent = nullptr);

    TDBEdit *Last, *First, *Middle, *Prefix, *Title, *Org, *Street, *Street2, *City, *State, *Zip, *Country, *Phone,
        *Phone2, *Fax, *Email, *WebPage, *Codes, *Comments, *Date;
    TDBCheckBox* Tagged;
    QPushButton *DateLabel, *Mailbutton, *Dial1Button, *Dial2Button, *WebPageButton;

    // The record edits in tab order, Date last.
    const QList<TDBEdit*>& RecordEdits() const { return Edits; }
    bool IsRecordEdit(const QObject* object) const;
    TDBEdit* EditNamed(const QString& name) const;
    // The caption the user sees beside an edit ("First Name").
    QString CaptionOf(const QWidget* edit) const;

    // "Send", "Dial " and "Open" are usable only when there is something to use them on.
    void UpdateLinkButtons();

signals:
    // A double-click on a record edit other than Date.
    void EditFieldDoubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TDBEdit* MakeEdit(const char* name, const char* field);
    QPushButton* MakeButton(const char* name, const QString& caption, const QString& hint);

    TDataSource* Source;
    QList<TDBEdit*> Edits;
};
