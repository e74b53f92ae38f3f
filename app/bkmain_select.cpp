// The main window's filters and tags: the query form, clearing the filter, the status
// panel, filter files, clearing tags, tagging all matches and toggling one record's tag.

#include "app/bkmain.h"

#include "app/recordcard.h"

#include "app/sortorders.h"

#include "platform/menuitem.h"
#include "platform/messages.h"
#include "platform/placement.h"
#include "platform/systembeep.h"
#include "select/addqry.h"
#include "select/filtercommands.h"
#include "select/tagall.h"
#include "select/tagid.h"
#include "select/tags.h"
#include "table/dbcheckbox.h"
#include "table/controlsscope.h"
#include "table/dbedit.h"
#include "table/quietevents.h"
#include "table/tableerror.h"

#include <QAction>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {

QToolButton* AddSelectButton(QToolBar* bar, const QString& caption, const QString& hint, const char* name)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setToolTip(hint);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

// Hands presses of the left mouse button on a check box to a handler, and keeps all mouse
// buttons from the box itself, which only shows the result. Space does what a left press
// does, so the box works from the keyboard too.
class PressFilter : public QObject {
public:
    PressFilter(QObject* parent, std::function<void()> onPress) : QObject(parent), onPress_(std::move(onPress)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                onPress_();
            return true;
        case QEvent::MouseButtonRelease:
            return true;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Space)
                break;
            if (event->type() == QEvent::KeyPress && !static_cast<QKeyEvent*>(event)->isAutoRepeat())
                onPress_();
            return true;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> onPress_;
};

} // namespace

void TAddressMain::setupSelect()
{
    mnuSetFilter = NamedMenuItem(Filter1, QStringLiteral("Set &Filter"), "mnuSetFilter");
    mnuSetFilter->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    mnuClearFilter = NamedMenuItem(Filter1, QStringLiteral("&Clear Filter"), "mnuClearFilter");
    Filter1->addSeparator();
    mnuSaveFilter = NamedMenuItem(Filter1, QStringLiteral("&Save Filter"), "mnuSaveFilter");
    mnuRestoreFilter = NamedMenuItem(Filter1, QStringLiteral("&Restore Filter"), "mnuRestoreFilter");
    Filter1->addSeparator();
    mnuTagAllFilterMatches =
        NamedMenuItem(Filter1, QStringLiteral("&Tag All Filter Matches"), "mnuTagAllFilterMatches");
    mnuClearTags = NamedMenuItem(Filter1, QStringLiteral("Clear &Tags"), "mnuClearTags");
    connect(mnuSetFilter, &QAction::triggered, this, &TAddressMain::FilterButtonClick);
    connect(mnuClearFilter, &QAction::triggered, this, &TAddressMain::mnuClearFilterClick);
    connect(mnuSaveFilter, &QAction::triggered, this, &TAddressMain::mnuSaveFilterClick);
    connect(mnuRestoreFilter, &QAction::triggered, this, &TAddressMain::mnuRestoreFilterClick);
    connect(mnuTagAllFilterMatches, &QAction::triggered, this, &TAddressMain::mnuTagAllFilterMatchesClick);
    connect(mnuClearTags, &QAction::triggered, this, &TAddressMain::mnuClearTagsClick);

    FilterButton =
        AddSelectButton(ToolBar, QStringLiteral("Filter"),
                        QStringLiteral("Click here or press CTRL+F to set or change a filter"), "FilterButton");
    ClearfilterButton = AddSelectButton(ToolBar, QStringLiteral("Clear Filter"),
                                        QStringLiteral("Click to clear the current filter"), "ClearfilterButton");
    ToolBar->addWidget(FilterButton);
    ToolBar->addWidget(ClearfilterButton)->setVisible(false);
    connect(FilterButton, &QToolButton::clicked, this, &TAddressMain::FilterButtonClick);
    connect(ClearfilterButton, &QToolButton::clicked, this, &TAddressMain::ClearfilterButtonClick);

    FilterStatus = new QLabel(this);
    FilterStatus->setObjectName(QStringLiteral("FilterStatus"));
    statusBar()->addWidget(FilterStatus);
    FilterStatus->hide();
    OrderStatus = new QLabel(this);
    OrderStatus->setObjectName(QStringLiteral("OrderStatus"));
    statusBar()->addWidget(OrderStatus);
    OrderStatus->hide();
    // Moves, saves, deletes, filters and opening or closing the file all change the count.
    connect(&DataSourceBook, &TDataSource::dataChanged, this, [this](TField* field) {
        if (!field)
            UpdateFilterStatus();
    });
    connect(&DataSourceBook, &TDataSource::datasetChanged, this, &TAddressMain::UpdateFilterStatus);
    connect(&DataSourceBook, &TDataSource::activeChanged, this, &TAddressMain::UpdateFilterStatus);

    RecordCard->Tagged->installEventFilter(new PressFilter(RecordCard->Tagged, [this] { TaggedMouseDown(); }));
    ToggleCurrentTag = [this] { ToggleRecordTag(); };
}

// The query form lays its fields out like the record card.
RecordCardControls TAddressMain::RecordCardForQuery() const
{
    RecordCardControls card;
    card.area = RecordCard->Last->parentWidget();
    for (QueryField field : allQueryFields())
        card.edits[static_cast<std::size_t>(field)] =
            RecordCard->EditNamed(QLatin1StringView(queryFieldInfo(field).mainEditName));
    card.tagged = RecordCard->Tagged;
    return card;
}

long TAddressMain::ApplyFilter()
{
    return session_.ApplyFilter();
}

bool TAddressMain::FilterIsSet() const
{
    return session_.FilterIsSet();
}

void TAddressMain::ReapplyFilter()
{
    ApplyFilter();
}

void TAddressMain::ReapplyFilterIfNothingMatches()
{
    session_.ReapplyFilterIfNothingMatches();
}

void TAddressMain::FilterButtonClick()
{
    if (TableBook.State() == TDataSetState::Edit || TableBook.State() == TDataSetState::Insert) {
        SystemBeep();
        return;
    }
    const QueryValues kept = Select.values;
    {
        TAddressQueryForm form(Select, GlobalTagId, TableBook, Apollo1, this, RecordCardForQuery());
        form.SetValues(Select.values);
        CenterDialog(&form);
        // Ok has already taken the form's values through "Test", and cleared them when the
        // filter was refused: taking the fields again would refuse it a second time.
        // Cancel undoes whatever "Test" put in force.
        if (form.exec() != QDialog::Accepted)
            Select.values = kept;
    }
    ApplyFilter();
    SetButtons();
}

void TAddressMain::ClearFilter()
{
    Select.ClearQueryVars();
    ApplyFilter();
    TableBook.First();
    SetButtons();
}

void TAddressMain::ClearfilterButtonClick()
{
    ClearFilter();
}

void TAddressMain::mnuClearFilterClick()
{
    ClearFilter();
}

void TAddressMain::UpdateFilterStatus()
{
    if (!TableBook.Active()) {
        FilterStatus->hide();
        OrderStatus->hide();
        return;
    }
    const QString order = OrderTextForTag(CurrentOrderName);
    OrderStatus->setText(QStringLiteral("Sorted by ") + order);
    OrderStatus->setVisible(!order.isEmpty());
    const long count = Apollo1.QueryRecCount();
    if (Select.FilterSet())
        FilterStatus->setText(QString::number(count) + QStringLiteral(" filter matches"));
    else if (count == 1)
        FilterStatus->setText(QStringLiteral("1 record (no filter)"));
    else if (count > 0)
        FilterStatus->setText(QString::number(count) + QStringLiteral(" records (no filter)"));
    else
        FilterStatus->setText(QStringLiteral("No records"));
    FilterStatus->show();
}

void TAddressMain::mnuSaveFilterClick()
{
    const QString path = ChooseFilterToSave(this);
    if (!path.isEmpty())
        SaveFilterTo(path, Select.values);
}

void TAddressMain::mnuRestoreFilterClick()
{
    const QString path = ChooseFilterToRestore(this);
    if (!path.isEmpty())
        RestoreFilterFrom(path, Select, Apollo1, GlobalTagId);
    SetButtons();
}

void TAddressMain::mnuClearTagsClick()
{
    // Every tag of every file goes at once and cannot come back: ask first.
    if (!AskYesNoDefaultNo(QStringLiteral("Clear all tags?"), QStringLiteral("Clear Tags")))
        return;
    GlobalTagId = NewTagId(session_.Clock());
    SaveTagPref();
    ApplyFilter();
    // Every record shown works out its "Tagged" again, against the new id.
    if (TableBook.Active())
        TableBook.Resync();
    SetButtons();
}

void TAddressMain::mnuTagAllFilterMatchesClick()
{
    if (!AskYesNo(QStringLiteral("Tag all records matching filter?"), QStringLiteral("TAG ALL")))
        return;
    {
        // One write per match: no button refresh, and no closing and reopening of the
        // file under the run, after each record.
        QuietEvents quiet(TableBook, {&TTable::AfterEdit, &TTable::AfterPost});
        ControlsScope controls(TableBook);
        TTagAllRecords dialog(TableBook, GlobalTagId, this);
        CenterDialog(&dialog);
        dialog.exec();
    }
    TableBook.First();
    SetButtons();
}

void TAddressMain::TaggedMouseDown()
{
    ToggleRecordTag();
}

void TAddressMain::ToggleRecordTag()
{
    const bool editing = IsEditing();
    if (!editing && Apollo1.RecNo() == Apollo1.RecCount() + 1)
        return; // no record to tag
    try {
        // Outside an edit the toggle is a save of its own; the window must not switch to
        // editing for the moment the record is in Edit state.
        QuietEvents quiet(TableBook, {&TTable::AfterEdit});
        ::ToggleTag(TableBook, GlobalTagId);
    } catch (const TableError& error) {
        if (!editing && TableBook.State() == TDataSetState::Edit)
            TableBook.Cancel();
        ShowInformation(error.Message());
    }
    ReapplyFilterIfNothingMatches();
    RunTableCommand([this] { LeaveRecordOutsideSelection(); });
    SetButtons();
}
