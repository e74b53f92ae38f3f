#include "exchange/tasciimatch.h"

#include "exchange/importtargets.h"
#include "platform/placement.h"
#include "table/tfield.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

TAsciiMatch::TAsciiMatch(const AsciiScan& scan, const std::vector<TField*>& targets, const QString& fileName,
                         QWidget* parent)
    : MatchDialog(QStringLiteral("ASCII File Import Match Fields"), HelpContext, TargetLabels(targets), fileName,
                  parent),
      columns_(scan.columns)
{
    setObjectName(QStringLiteral("AsciiMatch"));
    for (int row = 0; row < Rows().Count(); ++row)
        for (const AsciiColumn& column : columns_)
            if (column.matched == Rows().Label(row)) {
                Assign(row, column.name);
                break;
            }

    const std::vector<QStringList> lines = SampleLines(scan);
    SG = new QTableWidget(static_cast<int>(lines.size()), static_cast<int>(columns_.size()));
    SG->setObjectName(QStringLiteral("SG"));
    SG->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SG->verticalHeader()->hide();
    SG->setWhatsThis(QStringLiteral("The first lines of the file, as they will be split into columns."));
    const QFontMetrics metrics(SG->font());
    const int widest = 2 * SG->logicalDpiX();
    for (int c = 0; c < static_cast<int>(columns_.size()); ++c) {
        const AsciiColumn& column = columns_[static_cast<std::size_t>(c)];
        SG->setHorizontalHeaderItem(c, new QTableWidgetItem(column.name));
        // Wide enough for the column's heading in full, whatever its values.
        const int narrowest =
            std::max(metrics.horizontalAdvance(QStringLiteral("Field 12")), SG->horizontalHeader()->sectionSizeHint(c));
        const int width = metrics.horizontalAdvance(QLatin1Char('W')) * column.longest;
        SG->setColumnWidth(c, std::clamp(width, narrowest, std::max(narrowest, widest)));
        for (int l = 0; l < static_cast<int>(lines.size()); ++l) {
            const QStringList& values = lines[static_cast<std::size_t>(l)];
            SG->setItem(l, c, new QTableWidgetItem(c < values.size() ? values[c] : QString()));
        }
    }
    Lower()->addWidget(new QLabel(QStringLiteral("Sample ASCII Fields")));
    Lower()->addWidget(SG);
}

QStringList TAsciiMatch::Offered(int) const
{
    QStringList names;
    for (const AsciiColumn& column : columns_)
        names.append(column.name);
    return names;
}

std::vector<AsciiColumn> TAsciiMatch::MatchedColumns() const
{
    std::vector<AsciiColumn> columns = columns_;
    for (AsciiColumn& column : columns) {
        const int row = Rows().RowOf(column.name);
        column.matched = row < 0 ? QString() : Rows().Label(row);
    }
    return columns;
}

void TAsciiMatch::showEvent(QShowEvent* event)
{
    MatchDialog::showEvent(event);
    if (!placed_) {
        placed_ = true;
        RestorePlacement(this);
    }
}

void TAsciiMatch::done(int result)
{
    SavePlacement(this);
    MatchDialog::done(result);
}
