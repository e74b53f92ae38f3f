#include "exchange/matchdialog.h"

#include "exchange/namedbutton.h"
#include "platform/help.h"
#include "platform/identity.h"
#include "platform/whatsthis.h"

#include <QCursor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString kNone = QStringLiteral("(none)");

QString ShowPopup(QWidget* parent, const QStringList& entries, const QString& checked)
{
    QMenu menu(parent);
    for (const QString& entry : QStringList{kNone} + entries) {
        QAction* action = menu.addAction(entry);
        action->setCheckable(true);
        action->setChecked(entry == checked);
    }
    const QAction* chosen = menu.exec(QCursor::pos());
    return chosen ? chosen->text() : QString();
}

} // namespace

MatchDialog::MatchDialog(const QString& caption, int helpTopic, const QStringList& labels, const QString& sourceName,
                         QWidget* parent)
    : QDialog(parent), rows_(labels)
{
    setWindowTitle(caption);
    auto* gridTitle = new QLabel(QStringLiteral("Field Match"));
    ImportGrid = new QTableWidget(static_cast<int>(labels.size()), 2);
    ImportGrid->setObjectName(QStringLiteral("ImportGrid"));
    ImportGrid->setHorizontalHeaderLabels(
        {ProductName() + QStringLiteral(" Field"), QStringLiteral("Import from Field (in ") + sourceName + ")"});
    ImportGrid->verticalHeader()->hide();
    ImportGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ImportGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    ImportGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int row = 0; row < rows_.Count(); ++row) {
        ImportGrid->setItem(row, 0, new QTableWidgetItem(rows_.Label(row)));
        ImportGrid->setItem(row, 1, new QTableWidgetItem);
    }
    // The second column takes what the first leaves, so the grid never scrolls sideways.
    ImportGrid->horizontalHeader()->setStretchLastSection(true);
    if (rows_.Count() > 0)
        ImportGrid->setCurrentCell(0, 1);

    SelectFieldButton = NamedButton(QStringLiteral("&Select Field"), "SelectFieldbutton");
    ClearCurrentButton = NamedButton(QStringLiteral("&Clear Current"), "ClearCurrentButton");
    ClearAllButton = NamedButton(QStringLiteral("Clear &All"), "ClearAllButton");
    OKButton = NamedButton(QStringLiteral("Ok"), "OKButton");
    OKButton->setDefault(true);
    Cancelbutton = NamedButton(QStringLiteral("Cancel"), "Cancelbutton");
    Helpbutton = NamedButton(QStringLiteral("Help"), "Helpbutton");
    connect(SelectFieldButton, &QPushButton::clicked, this, &MatchDialog::SelectFieldButtonClick);
    connect(ImportGrid, &QTableWidget::cellDoubleClicked, this, &MatchDialog::SelectFieldButtonClick);
    connect(ClearCurrentButton, &QPushButton::clicked, this, &MatchDialog::ClearCurrentButtonClick);
    connect(ClearAllButton, &QPushButton::clicked, this, &MatchDialog::ClearAllButtonClick);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(Cancelbutton, &QPushButton::clicked, this, &QDialog::reject);
    connect(Helpbutton, &QPushButton::clicked, this, [helpTopic] { ShowHelpTopic(helpTopic); });
    ChooseFromMenu = [this](const QStringList& entries, const QString& checked) {
        return ShowPopup(this, entries, checked);
    };

    auto* side = new QVBoxLayout;
    for (QPushButton* button : {SelectFieldButton, ClearCurrentButton, ClearAllButton})
        side->addWidget(button);
    side->addStretch();
    for (QPushButton* button : {OKButton, Cancelbutton, Helpbutton})
        side->addWidget(button);
    auto* upper = new QHBoxLayout;
    upper->addWidget(ImportGrid, 1);
    upper->addLayout(side);
    lower_ = new QVBoxLayout;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gridTitle);
    layout->addLayout(upper, 1);
    layout->addLayout(lower_, 1);
    resize(640, 560);
    SetHelpContext(this, helpTopic);
    SetWhatsThis(this,
                 {
                     {"ImportGrid", "Each field of the address file, and the column or source field that fills it."},
                     {"SelectFieldbutton", "Chooses what fills the current field (a double click does the same)."},
                     {"SelectFieldButton", "Chooses what fills the current field (a double click does the same)."},
                     {"ClearCurrentButton", "Leaves the current field unfilled."},
                     {"ClearAllButton", "Leaves every field unfilled."},
                     {"OKButton", "Keeps this matching."},
                     {"Cancelbutton", "Forgets the changes made here."},
                     {"Helpbutton", "Explains matching fields."},
                 });
}

void MatchDialog::ShowRow(int row)
{
    ImportGrid->item(row, 1)->setText(rows_.Assigned(row));
}

void MatchDialog::Assign(int row, const QString& name)
{
    rows_.Assign(row, name);
    for (int r = 0; r < rows_.Count(); ++r)
        ShowRow(r);
}

void MatchDialog::SelectFieldButtonClick()
{
    const int row = ImportGrid->currentRow();
    if (row < 0)
        return;
    const QStringList offered = Offered(row);
    if (offered.isEmpty())
        return;
    const QString chosen = ChooseFromMenu(offered, rows_.Assigned(row));
    if (chosen.isEmpty())
        return;
    Assign(row, chosen == kNone ? QString() : chosen);
}

void MatchDialog::ClearCurrentButtonClick()
{
    const int row = ImportGrid->currentRow();
    if (row >= 0)
        Assign(row, QString());
}

void MatchDialog::ClearAllButtonClick()
{
    rows_.ClearAll();
    for (int row = 0; row < rows_.Count(); ++row)
        ShowRow(row);
}

void MatchDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    // 30 % of the width for the field names, and never less than the longest of them.
    const int width = ImportGrid->viewport()->width();
    const int longest = static_cast<const QAbstractItemView*>(ImportGrid)->sizeHintForColumn(0);
    ImportGrid->setColumnWidth(
        0, std::max({width * 30 / 100, longest, ImportGrid->horizontalHeader()->sectionSizeHint(0)}));
    ImportGrid->horizontalScrollBar()->setValue(0);
}
