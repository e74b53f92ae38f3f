#pragma once
// "ASCII File Import Match Fields": which column of the text file fills which field,
// with the scanned lines below for reference.

#include "exchange/asciicolumns.h"
#include "exchange/matchdialog.h"

class QTableWidget;

class TAsciiMatch : public MatchDialog {
    Q_OBJECT
public:
    static constexpr int HelpContext = 1024;

    // Rows are the targets; column 1 starts from the columns' matched fields.
    TAsciiMatch(const AsciiScan& scan, const std::vector<TField*>& targets, const QString& fileName,
                QWidget* parent = nullptr);

    QTableWidget* SG;

    // The columns with the matched field each confirmed row gives them.
    std::vector<AsciiColumn> MatchedColumns() const;

protected:
    QStringList Offered(int row) const override;
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    std::vector<AsciiColumn> columns_;
    bool placed_ = false;
};
