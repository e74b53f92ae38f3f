#pragma once
// "Address Browse": the address table as a read-only grid, under the main window's order
// and filter. Dragging a column moves its field in the table's field list, which the
// main window stores in "FIELDS.LST" after the browse.

#include <QDialog>
#include <QHash>
#include <functional>

class QPushButton;
class QTableView;
class TDataSource;
class TDBGridModel;
class TTable;
class RecordIndicator;

// The browse window's size for a screen of the given logical dpi: above 96 dpi it grows
// by dpi / 96 * 0.95, truncated.
QSize BrowseSizeForDpi(QSize size, int logicalDpi);

class TAddressBrowseForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpContext = 1034;

    // `toggleTag` tags or untags the table's current record.
    TAddressBrowseForm(TDataSource& source, std::function<void()> toggleTag, QWidget* parent = nullptr);

    QTableView* DBGrid;
    QPushButton* Returnbutton;
    QPushButton* RecordFirst;
    QPushButton* RecordPrev;
    QPushButton* RecordNext;
    QPushButton* RecordLast;
    QPushButton* TagButton;
    QPushButton* HelpButton;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    TTable& Table() const;
    void FormActivate();
    void FormClose();

    void RecordFirstClick();
    void RecordPrevClick();
    void RecordNextClick();
    void RecordLastClick();
    void TagButtonClick();
    void HelpButtonClick();
    void DBGridDblClick();

    void GridReset();
    void FollowTable(int row);
    void FollowGrid(int row);
    void ColumnMoved(int logical, int oldVisual, int newVisual);
    void ColumnResized(int logical, int oldSize, int newSize);

    TDataSource& source_;
    // The grid's own link to the table: it can be muted while the grid itself moves the
    // table, since such a move changes no rows and must not make the grid re-read them.
    TDataSource* gridSource_;
    std::function<void()> toggleTag_;
    TDBGridModel* model_;
    RecordIndicator* indicator_;
    // Widths the user gave columns, by field, kept while the window is open.
    QHash<QString, int> widths_;
    bool activated_ = false;
    bool following_ = false;
};
