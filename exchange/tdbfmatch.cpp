#include "exchange/tdbfmatch.h"

#include "exchange/dbfmatching.h"
#include "exchange/importtargets.h"
#include "table/dbgridmodel.h"
#include "table/tfield.h"
#include "table/ttable.h"

#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The targets of a DBF import: the visible fields but ISDEL.
std::vector<TField*> Targets(const TTable& destination)
{
    std::vector<TField*> targets;
    for (TField* field : destination.Fields())
        if (field->Visible() && !field->Calculated() && field->FieldName().compare("ISDEL", Qt::CaseInsensitive) != 0)
            targets.push_back(field);
    return targets;
}

} // namespace

TDBFMatch::TDBFMatch(TTable& source, TDataSource& sourceData, TTable& destination, const std::vector<int>& assignment,
                     const QString& fileName, QWidget* parent)
    : MatchDialog(QStringLiteral("DBF File Import Match Fields"), HelpContext, TargetLabels(Targets(destination)),
                  fileName, parent),
      source_(source), destination_(destination), targets_(Targets(destination))
{
    setObjectName(QStringLiteral("DBFMatch"));
    SelectFieldButton->setObjectName(QStringLiteral("SelectFieldButton"));
    const auto& from = source.Fields();
    const QStringList labels = TargetLabels(targets_);
    for (std::size_t i = 0; i < from.size() && i < assignment.size(); ++i) {
        const TField* target = AssignedField(destination, assignment[i]);
        // A target without a row (a hidden field) keeps nothing.
        const qsizetype row = target ? labels.indexOf(target->DisplayLabel()) : -1;
        if (row >= 0)
            Assign(static_cast<int>(row), from[i]->FieldName());
    }

    auto* model = new TDBGridModel(this);
    model->SetDataSource(&sourceData);
    SourceGrid = new QTableView;
    SourceGrid->setObjectName(QStringLiteral("SourceGrid"));
    SourceGrid->setModel(model);
    SourceGrid->setWhatsThis(QStringLiteral("The records of the table to import from."));
    Lower()->addWidget(new QLabel(QStringLiteral("Import DBF File Browser")));
    Lower()->addWidget(SourceGrid);
}

QStringList TDBFMatch::Offered(int row) const
{
    return OfferedSourceFields(source_, *targets_[static_cast<std::size_t>(row)]);
}

std::vector<int> TDBFMatch::Assignment() const
{
    QStringList labels;
    QStringList assigned;
    for (int row = 0; row < Rows().Count(); ++row) {
        labels.append(Rows().Label(row));
        assigned.append(Rows().Assigned(row));
    }
    return AssignFromRows(source_, destination_, labels, assigned);
}
