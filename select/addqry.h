#pragma once
// "Address Filter": one pattern per record field plus "Tagged" and "Reverse", laid out
// like the main window's record card. "Test" applies the typed filter at once and shows
// how many records it matches; "Ok" applies it and closes.

#include "select/queryformplaces.h"
#include "select/queryvalues.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Selection;
class TApollo;
class TTable;

class TAddressQueryForm : public QDialog {
    Q_OBJECT
public:
    // The form applies filters to the table through the selection, a "Tagged" filter
    // looking for tagId. Its fields take the places of the record card's edits when the
    // main window hands its card over.
    TAddressQueryForm(Selection& selection, const QString& tagId, TTable& table, TApollo& apollo, QWidget* mainWindow,
                      const RecordCardControls& card = {});

    void SetValues(const QueryValues& values);
    QueryValues Values() const;

    void qSetFilterButtonClick();
    void qClearButtonClick();
    void OkButtonClick();
    void HelpButtonClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* AddButton(const QString& caption, const char* name);

    Selection& selection_;
    QString tagId_;
    TTable& table_;
    TApollo& apollo_;

    std::array<QLineEdit*, QueryFieldCount> edits_{};
    QCheckBox* qTagged = nullptr;
    QCheckBox* qReverse = nullptr;
    QLabel* DateHint = nullptr;
    QLabel* qMatchCount = nullptr;
    QPushButton* qSetFilterButton = nullptr;
    QPushButton* qClearButton = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* HelpButton = nullptr;
};
