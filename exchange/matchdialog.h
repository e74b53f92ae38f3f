#pragma once
// What the two matching dialogs share: the grid "Field Match" with one row per target
// field and the name assigned to it, the pop-up menu that assigns a name (one name fills
// one row at most), "&Clear Current", "Clear &All", Ok, Cancel and Help. Below the grid
// each dialog shows its source: sample lines or the source table.

#include "exchange/matchrows.h"

#include <QDialog>
#include <functional>

class QPushButton;
class QTableWidget;
class QVBoxLayout;

class MatchDialog : public QDialog {
    Q_OBJECT
public:
    // labels: the grid's rows; sourceName: the file's name without its directory.
    MatchDialog(const QString& caption, int helpTopic, const QStringList& labels, const QString& sourceName,
                QWidget* parent);

    QTableWidget* ImportGrid;
    QPushButton* SelectFieldButton;
    QPushButton* ClearCurrentButton;
    QPushButton* ClearAllButton;
    QPushButton* OKButton;
    QPushButton* Cancelbutton;
    QPushButton* Helpbutton;

    // The pop-up menu: "(none)" then the entries, the checked one marked. Gives the entry
    // chosen, "(none)", or "" when the menu was dismissed. Tests put their own here.
    std::function<QString(const QStringList& entries, const QString& checked)> ChooseFromMenu;

    const MatchRows& Rows() const { return rows_; }
    void Assign(int row, const QString& name);
    void SelectFieldButtonClick();
    void ClearCurrentButtonClick();
    void ClearAllButtonClick();

protected:
    // The names a row may be given.
    virtual QStringList Offered(int row) const = 0;
    // Where the source's own grid goes.
    QVBoxLayout* Lower() const { return lower_; }
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowRow(int row);

    MatchRows rows_;
    QVBoxLayout* lower_;
};
