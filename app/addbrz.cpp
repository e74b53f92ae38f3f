#include "app/addbrz.h"

#include "app/dialogbuttons.h"
#include "app/recordindicator.h"
#include "app/whatsthistexts.h"
#include "platform/help.h"
#include "platform/placement.h"
#include "platform/systembeep.h"
#include "table/dbgridmodel.h"
#include "table/tdatasource.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int ScreenBaseDpi = 96;
const QSize DefaultSize(720, 420);
// Room beside the text inside a cell.
constexpr int CellPadding = 10;

QPushButton* MoveButton(QWidget* parent, QStyle::StandardPixmap icon, const char* name, const QString& tip)
{
    auto* button = new QPushButton(parent->style()->standardIcon(icon), QString(), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(tip);
    button->setAutoDefault(false);
    return button;
}

} // namespace

QSize BrowseSizeForDpi(QSize size, int logicalDpi)
{
    if (logicalDpi <= ScreenBaseDpi)
        return size;
    // In whole numbers, so the truncation is exact: size * dpi / 96 * 95 / 100.
    const auto scale = [logicalDpi](int length) {
        return static_cast<int>(static_cast<long long>(length) * logicalDpi * 95 / (ScreenBaseDpi * 100));
    };
    return {scale(size.width()), scale(size.height())};
}

TAddressBrowseForm::TAddressBrowseForm(TDataSource& source, std::function<void()> toggleTag, QWidget* parent)
    : QDialog(parent), source_(source), toggleTag_(std::move(toggleTag))
{
    setWindowTitle(QStringLiteral("Address Browse"));
    QFont arial(QStringLiteral("Arial"));
    arial.setStyleHint(QFont::SansSerif);
    arial.setFixedPitch(false);
    setFont(arial);
    setSizeGripEnabled(true);

    DBGrid = new QTableView(this);
    DBGrid->setObjectName(QStringLiteral("DBGrid"));
    DBGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid->setShowGrid(true);
    DBGrid->setWordWrap(false);
    DBGrid->setAlternatingRowColors(false);
    indicator_ = new RecordIndicator(DBGrid);
    indicator_->setDefaultSectionSize(QFontMetrics(arial).height() + 6);
    DBGrid->setVerticalHeader(indicator_);
    DBGrid->horizontalHeader()->setSectionsMovable(true);
    DBGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    DBGrid->horizontalHeader()->setHighlightSections(false);
    // The selection stays visible while a button has the focus.
    QPalette palette = DBGrid->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    DBGrid->setPalette(palette);

    gridSource_ = new TDataSource(this);
    gridSource_->SetDataSet(source_.DataSet());
    model_ = new TDBGridModel(this);
    model_->SetDataSource(gridSource_);
    DBGrid->setModel(model_);
    connect(DBGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { FollowGrid(current.row()); });

    RecordFirst = MoveButton(this, QStyle::SP_MediaSkipBackward, "RecordFirst", QStringLiteral("First record"));
    RecordPrev = MoveButton(this, QStyle::SP_MediaSeekBackward, "RecordPrev", QStringLiteral("Previous record"));
    RecordNext = MoveButton(this, QStyle::SP_MediaSeekForward, "RecordNext", QStringLiteral("Next record"));
    RecordLast = MoveButton(this, QStyle::SP_MediaSkipForward, "RecordLast", QStringLiteral("Last record"));

    auto* buttons = new QDialogButtonBox(this);
    Returnbutton = AddNamedButton(buttons, QStringLiteral("Ok"), QDialogButtonBox::AcceptRole, "Returnbutton");
    Returnbutton->setDefault(true);
    TagButton = AddNamedButton(buttons, QStringLiteral("&Tag"), QDialogButtonBox::ActionRole, "TagButton");
    TagButton->setAutoDefault(false);
    HelpButton = AddNamedButton(buttons, QStringLiteral("Help"), QDialogButtonBox::HelpRole, "HelpButton");
    HelpButton->setAutoDefault(false);

    auto* bottom = new QHBoxLayout;
    for (QPushButton* button : {RecordFirst, RecordPrev, RecordNext, RecordLast})
        bottom->addWidget(button);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(DBGrid, 1);
    layout->addLayout(bottom);

    // Escape closes through reject(), so "Ok" is the cancel button as well.
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &TAddressBrowseForm::HelpButtonClick);
    connect(RecordFirst, &QPushButton::clicked, this, &TAddressBrowseForm::RecordFirstClick);
    connect(RecordPrev, &QPushButton::clicked, this, &TAddressBrowseForm::RecordPrevClick);
    connect(RecordNext, &QPushButton::clicked, this, &TAddressBrowseForm::RecordNextClick);
    connect(RecordLast, &QPushButton::clicked, this, &TAddressBrowseForm::RecordLastClick);
    connect(TagButton, &QPushButton::clicked, this, &TAddressBrowseForm::TagButtonClick);
    connect(DBGrid, &QTableView::doubleClicked, this, &TAddressBrowseForm::DBGridDblClick);
    connect(model_, &QAbstractItemModel::modelReset, this, &TAddressBrowseForm::GridReset);
    connect(model_, &TDBGridModel::currentRowChanged, this, &TAddressBrowseForm::FollowTable);
    connect(DBGrid->horizontalHeader(), &QHeaderView::sectionMoved, this, &TAddressBrowseForm::ColumnMoved);
    connect(DBGrid->horizontalHeader(), &QHeaderView::sectionResized, this, &TAddressBrowseForm::ColumnResized);
    GridReset();

    const QScreen* screen = parent && parent->screen() ? parent->screen() : QApplication::primaryScreen();
    resize(BrowseSizeForDpi(DefaultSize, screen ? qRound(screen->logicalDotsPerInch()) : ScreenBaseDpi));
    ExplainBrowse(this);
}

TTable& TAddressBrowseForm::Table() const
{
    return *source_.DataSet();
}

void TAddressBrowseForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!activated_) {
        activated_ = true;
        FormActivate();
    }
}

void TAddressBrowseForm::FormActivate()
{
    RestorePlacement(this);
    DBGrid->setFocus();
}

void TAddressBrowseForm::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TAddressBrowseForm::FormClose()
{
    SavePlacement(this);
}

// After the rows or columns were rebuilt: widths in characters (or as the user left
// them), and the current record's row selected again.
void TAddressBrowseForm::GridReset()
{
    QHeaderView* header = DBGrid->horizontalHeader();
    const QFontMetrics metrics(DBGrid->font());
    const int digit = metrics.horizontalAdvance(QLatin1Char('0'));
    const QSignalBlocker blocker(header);
    for (int column = 0; column < model_->columnCount(); ++column) {
        const TField* field = model_->FieldOfColumn(column);
        const int stored = widths_.value(field->FieldName(), -1);
        const int natural = std::max(field->DisplayWidth() * digit, metrics.horizontalAdvance(field->DisplayLabel()));
        header->resizeSection(column, stored >= 0 ? stored : natural + CellPadding);
    }
    FollowTable(model_->CurrentRow());
}

// The table moved: the grid's current row and the indicator follow.
void TAddressBrowseForm::FollowTable(int row)
{
    indicator_->SetCurrentRow(row);
    if (following_ || row < 0 || DBGrid->currentIndex().row() == row)
        return;
    following_ = true;
    const int column = std::max(DBGrid->currentIndex().column(), 0);
    DBGrid->setCurrentIndex(model_->index(row, column));
    DBGrid->scrollTo(model_->index(row, column));
    following_ = false;
}

// The user moved in the grid: the table follows.
void TAddressBrowseForm::FollowGrid(int row)
{
    if (following_ || row < 0)
        return;
    following_ = true;
    {
        const QSignalBlocker mute(gridSource_);
        model_->SetCurrentRow(row);
    }
    indicator_->SetCurrentRow(model_->CurrentRow());
    following_ = false;
}

void TAddressBrowseForm::ColumnMoved(int logical, int oldVisual, int newVisual)
{
    // The header only shows the move; the field list is what keeps it. Put the section
    // back and move the field instead: the grid then rebuilds its columns in field order.
    QHeaderView* header = DBGrid->horizontalHeader();
    {
        const QSignalBlocker blocker(header);
        header->moveSection(newVisual, oldVisual);
    }
    TField* moved = model_->FieldOfColumn(logical);
    const TField* target = model_->FieldOfColumn(header->logicalIndex(newVisual));
    if (moved && target && moved != target)
        moved->SetIndex(target->Index());
}

void TAddressBrowseForm::ColumnResized(int logical, int, int newSize)
{
    if (const TField* field = model_->FieldOfColumn(logical))
        widths_.insert(field->FieldName(), newSize);
}

void TAddressBrowseForm::RecordFirstClick()
{
    Table().First();
}

void TAddressBrowseForm::RecordPrevClick()
{
    Table().Prior();
    if (Table().Bof())
        SystemBeep();
}

void TAddressBrowseForm::RecordNextClick()
{
    Table().Next();
    if (Table().Eof())
        SystemBeep();
}

void TAddressBrowseForm::RecordLastClick()
{
    Table().Last();
}

void TAddressBrowseForm::TagButtonClick()
{
    toggleTag_();
}

void TAddressBrowseForm::DBGridDblClick()
{
    toggleTag_();
}

void TAddressBrowseForm::HelpButtonClick()
{
    ShowHelpTopic(HelpContext);
}
