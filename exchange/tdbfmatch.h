#pragma once
// "DBF File Import Match Fields": which field of the source table fills which field of
// the address file, with the source's records below for browsing.

#include "exchange/matchdialog.h"

#include <vector>

class QTableView;
class TDataSource;
class TField;
class TTable;

class TDBFMatch : public MatchDialog {
    Q_OBJECT
public:
    static constexpr int HelpContext = 1022;

    // Rows are the targets of the destination; column 1 starts from the assignment.
    TDBFMatch(TTable& source, TDataSource& sourceData, TTable& destination, const std::vector<int>& assignment,
              const QString& fileName, QWidget* parent = nullptr);

    QTableView* SourceGrid;

    // The assignment the rows give.
    std::vector<int> Assignment() const;

protected:
    QStringList Offered(int row) const override;

private:
    TTable& source_;
    TTable& destination_;
    std::vector<TField*> targets_;
};
