// The main window's record editing: the record card, the toolbar and the "&Record" and
// "Ed&it" menus, the life cycle of the record (edit, save, cancel, delete, move), the
// keyboard rules, the table events, the button rules and aggressive saving.

#include "app/bkmain.h"

#include "app/buttonrules.h"
#include "app/calcfields.h"
#include "app/characternote.h"
#include "app/overtype.h"
#include "app/recordcard.h"
#include "app/skipfields.h"
#include "app/sortorders.h"
#include "platform/busy.h"
#include "platform/messages.h"
#include "platform/recorddate.h"
#include "platform/systembeep.h"
#include "report/printeravailability.h"
#include "table/controlsscope.h"
#include "table/dbedit.h"
#include "table/tableerror.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

namespace {

// The window sees every key before its controls do.
class KeyPreview : public QObject {
public:
    explicit KeyPreview(TAddressMain* window) : QObject(window), Window(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        if (static_cast<QWidget*>(watched)->window() != Window)
            return false;
        return Window->FormKeyDown(static_cast<QKeyEvent*>(event));
    }

private:
    TAddressMain* Window;
};

bool IsEnterKey(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

Qt::KeyboardModifiers HeldModifiers(const QKeyEvent* key)
{
    return key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

} // namespace

// ---- set-up -----------------------------------------------------------------------------------

void TAddressMain::setupRecords()
{
    auto calc = std::make_shared<AddressCalcFields>(TableBook);
    TableBook.OnCalcFields = [this, calc](TTable&) { calc->Calculate(GlobalTagId); };
    TableBook.AfterInsert = [this](TTable&) { TableBookAfterInsert(); };
    TableBook.AfterEdit = [this](TTable&) { TableBookAfterEdit(); };
    TableBook.AfterPost = [this](TTable&) { TableBookAfterPost(); };
    TableBook.AfterCancel = [this](TTable&) { TableBookAfterCancel(); };

    RecordCard = new TRecordCard(&DataSourceBook, RecordPanel);
    // The card fills the panel up to its largest size, then stays in the middle.
    auto* panelLayout = new QVBoxLayout(RecordPanel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    auto* cardRow = new QHBoxLayout;
    cardRow->addStretch(1);
    cardRow->addWidget(RecordCard, 1000);
    cardRow->addStretch(1);
    panelLayout->addStretch(1);
    panelLayout->addLayout(cardRow, 1000);
    panelLayout->addStretch(1);
    connect(RecordCard, &TRecordCard::EditFieldDoubleClicked, this, &TAddressMain::EditFieldClick);
    connect(RecordCard->DateLabel, &QPushButton::clicked, this, &TAddressMain::DateLabelClick);
    auto* overtype = new OvertypeFilter(this);
    for (TDBEdit* edit : RecordCard->RecordEdits()) {
        edit->installEventFilter(overtype);
        // A beep alone goes unheard on many machines: say in words what was refused.
        connect(edit, &TDBEdit::CharacterRefused, this,
                [this, edit] { statusBar()->showMessage(RefusedCharacterNote(RecordCard->CaptionOf(edit)), 10000); });
    }
    // Typing replaces characters until Insert is pressed, so the mode is always in sight.
    auto* mode = new QLabel(this);
    mode->setObjectName("TypingMode");
    mode->setToolTip("The Insert key switches between replacing and inserting characters");
    auto showMode = [mode](bool inserting) { mode->setText(inserting ? "INS" : "OVR"); };
    showMode(overtype->Inserting());
    connect(overtype, &OvertypeFilter::ModeChanged, mode, showMode);
    statusBar()->addPermanentWidget(mode);

    setupRecordToolBar();
    setupRecordMenus();
    qApp->installEventFilter(new KeyPreview(this));
}

QToolButton* TAddressMain::AddRecordButton(const char* name, const QString& caption, const QString& hint,
                                           QStyle::StandardPixmap icon, void (TAddressMain::*handler)())
{
    auto* button = new QToolButton(ToolBar);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(hint);
    button->setIcon(style()->standardIcon(icon));
    button->setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QToolButton::clicked, this, handler);
    ToolBar->addWidget(button);
    return button;
}

void TAddressMain::setupRecordToolBar()
{
    AddButton = AddRecordButton("AddButton", "Add", "Click to add a new record", QStyle::SP_FileIcon,
                                &TAddressMain::AddButtonClick);
    EditButton = AddRecordButton("EditButton", "Edit", "Click to edit this record", QStyle::SP_FileDialogDetailedView,
                                 &TAddressMain::EditButtonClick);
    DeleteButton = AddRecordButton("DeleteButton", "Delete", "Click to delete this record", QStyle::SP_TrashIcon,
                                   &TAddressMain::DeleteButtonClick);
    SaveButton = AddRecordButton("SaveButton", "Save", "Click to save changes", QStyle::SP_DialogSaveButton,
                                 &TAddressMain::SaveButtonClick);
    CancelButton = AddRecordButton("CancelButton", "Cancel", "Click to cancel changes", QStyle::SP_DialogCancelButton,
                                   &TAddressMain::CancelButtonClick);
    RecordFirst = AddRecordButton("RecordFirst", {}, "First record", QStyle::SP_MediaSkipBackward,
                                  &TAddressMain::RecordFirstClick);
    RecordPrev = AddRecordButton("RecordPrev", {}, "Previous record", QStyle::SP_MediaSeekBackward,
                                 &TAddressMain::RecordPrevClick);
    RecordNext =
        AddRecordButton("RecordNext", {}, "Next record", QStyle::SP_MediaSeekForward, &TAddressMain::RecordNextClick);
    RecordLast =
        AddRecordButton("RecordLast", {}, "Last record", QStyle::SP_MediaSkipForward, &TAddressMain::RecordLastClick);
    ToolBar->addSeparator();
}

void TAddressMain::setupRecordMenus()
{
    auto item = [this](QMenu* menu, const char* name, const QString& caption, void (TAddressMain::*handler)(),
                       const QKeySequence& keys = {}) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    mnuAdd = item(Record1, "mnuAdd", "&Add", &TAddressMain::AddButtonClick);
    mnuEdit = item(Record1, "mnuEdit", "&Edit", &TAddressMain::EditButtonClick);
    mnuDelete = item(Record1, "mnuDelete", "&Delete", &TAddressMain::DeleteButtonClick);
    mnuClone = item(Record1, "mnuClone", "Create a Duplicate &Record (Clone)", &TAddressMain::mnuCloneClick);
    Record1->addSeparator();
    mnuFirst =
        item(Record1, "mnuFirst", "&First", &TAddressMain::RecordFirstClick, QKeySequence(Qt::CTRL | Qt::Key_Up));
    mnuPrevious = item(Record1, "mnuPrevious", "&Previous", &TAddressMain::RecordPrevClick,
                       QKeySequence(Qt::CTRL | Qt::Key_Left));
    mnuNext = item(Record1, "mnuNext", "&Next", &TAddressMain::RecordNextClick, QKeySequence(Qt::CTRL | Qt::Key_Right));
    mnuLast = item(Record1, "mnuLast", "&Last", &TAddressMain::RecordLastClick, QKeySequence(Qt::CTRL | Qt::Key_Down));

    // The edit commands act on whichever line edit has the focus.
    auto editItem = [this](const char* name, const QString& caption, QKeySequence::StandardKey keys,
                           std::function<void(QLineEdit*)> operation) {
        QAction* action = Edit1->addAction(caption);
        action->setObjectName(name);
        action->setShortcut(keys);
        // The menu is never shown; held by the window too, its shortcut stays live.
        addAction(action);
        connect(action, &QAction::triggered, this, [operation] {
            if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
                operation(edit);
        });
    };
    editItem("Undo1", "&Undo typing", QKeySequence::Undo, [](QLineEdit* e) { e->undo(); });
    Edit1->addSeparator();
    editItem("Cut1", "Cu&t", QKeySequence::Cut, [](QLineEdit* e) { e->cut(); });
    editItem("Copy1", "&Copy", QKeySequence::Copy, [](QLineEdit* e) { e->copy(); });
    editItem("Paste1", "&Paste", QKeySequence::Paste, [](QLineEdit* e) { e->paste(); });
}

// ---- state ------------------------------------------------------------------------------------

bool TAddressMain::IsEditing() const
{
    return session_.Editing();
}

bool TAddressMain::HasRecord()
{
    return session_.HasRecord();
}

// ---- calculated fields ------------------------------------------------------------------------

void TAddressMain::SetExtraFields(bool visible)
{
    for (const char* name : {"FullName", "FullNameWithPrefix", "CityStateZip"})
        TableBook.FieldByName(name).SetVisible(visible);
}

// ---- commands ---------------------------------------------------------------------------------

bool TAddressMain::RunTableCommand(const std::function<void()>& command)
{
    try {
        command();
        return true;
    } catch (const TableError& e) {
        ShowInformation(e.Message());
        return false;
    }
}

void TAddressMain::EditButtonClick()
{
    RunTableCommand([this] { TableBook.Edit(); });
    SetButtons();
}

void TAddressMain::SaveButtonClick()
{
    if (RunTableCommand([this] {
            TableBook.Post();
            Apollo1.PostPending();
        }))
        ReapplyFilterIfNothingMatches();
    SetButtons();
}

void TAddressMain::CancelButtonClick()
{
    TableBook.Cancel();
    SetButtons();
}

void TAddressMain::DeleteButtonClick()
{
    if (AskYesNo("Delete this record?", "DELETE")) {
        const long recNo = Apollo1.RecNo();
        ApolloEnv1.SetDeleted(false);
        RunTableCommand([this, recNo] {
            TableBook.Delete();
            // Deleting moved on; come back to mark the record as the user's deletion too.
            Apollo1.Go(recNo);
            TableBook.Edit();
            TableBook.FieldByName("isdel").SetAsBoolean(true);
            TableBook.Post();
        });
        // Deleted records must never show, whatever failed above.
        ApolloEnv1.SetDeleted(true);
    }
    ReapplyFilterIfNothingMatches();
    RunTableCommand([this] { LeaveRecordOutsideSelection(); });
    SetButtons();
}

// A record the active query no longer lets through (deleted, or untagged under a "Tagged"
// filter) leaves the view: the next record takes its place, at the end the one before,
// and with none left the window shows no record.
void TAddressMain::LeaveRecordOutsideSelection()
{
    if (IsEditing() || !HasRecord())
        return;
    const QString query = Apollo1.DBFilter();
    if (query.isEmpty() || Apollo1.EvalLogical(query))
        return;
    TableBook.Next();
    if (TableBook.Eof())
        TableBook.Last();
}

void TAddressMain::EditFieldClick()
{
    if (!IsEditing() && EditButton->isEnabled())
        EditButtonClick();
}

void TAddressMain::RecordFirstClick()
{
    RunTableCommand([this] { TableBook.First(); });
    SetButtons();
}

void TAddressMain::RecordPrevClick()
{
    RunTableCommand([this] { TableBook.Prior(); });
    if (TableBook.Bof())
        SystemBeep();
    SetButtons();
}

void TAddressMain::RecordNextClick()
{
    RunTableCommand([this] { TableBook.Next(); });
    if (TableBook.Eof())
        SystemBeep();
    SetButtons();
}

void TAddressMain::RecordLastClick()
{
    RunTableCommand([this] { TableBook.Last(); });
    SetButtons();
}

// ---- keyboard ---------------------------------------------------------------------------------

bool TAddressMain::FormKeyDown(QKeyEvent* key)
{
    const bool editing = IsEditing();
    const Qt::KeyboardModifiers held = HeldModifiers(key);
    if (editing && IsEnterKey(key) && held == Qt::AltModifier) {
        SaveButtonClick();
        if (!IsEditing() && AskYesNo("Add another record?", "Add"))
            AddButtonClick();
        return true;
    }
    if (editing && IsEnterKey(key) && held == Qt::ControlModifier) {
        SaveButtonClick();
        return true;
    }
    // A line edit claims Ctrl+Left and Ctrl+Right for moving by words; unless the record
    // is being edited they are the record moves, as their menu items promise.
    if (!editing && held == Qt::ControlModifier) {
        const std::pair<int, QAction*> moves[] = {
            {Qt::Key_Up, mnuFirst}, {Qt::Key_Left, mnuPrevious}, {Qt::Key_Right, mnuNext}, {Qt::Key_Down, mnuLast}};
        for (const auto& [code, item] : moves)
            if (key->key() == code) {
                if (item->isEnabled())
                    item->trigger();
                return true;
            }
    }
    switch (key->key()) {
    case Qt::Key_PageDown:
        if (editing) {
            if (AskYesNo("Save changes?", "Save"))
                SaveButtonClick();
        } else if (HasRecord()) {
            held == Qt::ControlModifier ? RecordLastClick() : RecordNextClick();
        }
        return true;
    case Qt::Key_PageUp:
        if (!editing && HasRecord())
            held == Qt::ControlModifier ? RecordFirstClick() : RecordPrevClick();
        return true;
    case Qt::Key_Escape:
        if (!editing)
            return false;
        if (AskYesNo("Cancel changes?", "Cancel"))
            CancelButtonClick();
        return true;
    default:
        return false;
    }
}

// ---- table events -----------------------------------------------------------------------------

void TAddressMain::TableBookAfterInsert()
{
    if (!EventsActive)
        return;
    SetButtons();
    RecordCard->Last->setFocus();
}

void TAddressMain::TableBookAfterEdit()
{
    if (EventsActive)
        SetButtons();
}

void TAddressMain::TableBookAfterPost()
{
    if (EventsActive)
        SetButtons();
    SetSkipFields(false);
    if (AggressiveSave > 0)
        CheckCloseAndOpen();
}

void TAddressMain::TableBookAfterCancel()
{
    SetButtons();
    SetSkipFields(false);
}

// ---- button rules -----------------------------------------------------------------------------

void TAddressMain::SetButtons()
{
    const bool editing = IsEditing();
    const bool hasRecord = HasRecord();
    const ButtonRules r = ComputeButtonRules({TableBook.Active(), editing, hasRecord, FilterIsSet()});

    Edit1->setEnabled(r.fileItems);
    for (QAction* item : {RebuildIndexesMenu, mnuClearTags, mnuRestoreFilter})
        item->setEnabled(r.fileItems);
    Record1->menuAction()->setEnabled(r.addEnabled);
    mnuAdd->setEnabled(r.addEnabled);
    mnuEdit->setEnabled(r.editDeleteEnabled);
    mnuDelete->setEnabled(r.editDeleteEnabled);
    mnuClone->setEnabled(r.recordCommands);
    for (QAction* move : {mnuFirst, mnuPrevious, mnuNext, mnuLast})
        move->setEnabled(r.navigationVisible);
    mnuSearch->setEnabled(r.recordCommands);
    mnuBrowse->setEnabled(r.recordCommands);
    mnuOrder->menuAction()->setEnabled(r.recordCommands);
    Print1->menuAction()->setEnabled(r.recordCommands);
    // An empty menu stays out of sight.
    const QList<QAction*> printItems = Print1->actions();
    Print1->menuAction()->setVisible(
        std::any_of(printItems.begin(), printItems.end(), [](QAction* item) { return item->isVisible(); }));
    File1->menuAction()->setEnabled(r.fileMenu);
    Exit1->setEnabled(r.fileMenu);
    mnuSetFilter->setEnabled(r.filterEnabled);
    for (QAction* item : {mnuSaveFilter, mnuClearFilter, mnuTagAllFilterMatches})
        item->setEnabled(r.filterItems);

    AddButton->setEnabled(r.addEnabled);
    ShowToolButton(AddButton, r.addVisible);
    for (QToolButton* b : {EditButton, DeleteButton}) {
        b->setEnabled(r.editDeleteEnabled);
        ShowToolButton(b, r.editDeleteVisible);
    }
    for (QToolButton* b : {RecordFirst, RecordPrev, RecordNext, RecordLast})
        ShowToolButton(b, r.navigationVisible);
    for (QToolButton* b : {SaveButton, CancelButton}) {
        b->setEnabled(r.saveCancel);
        ShowToolButton(b, r.saveCancel);
    }
    SearchButton->setEnabled(r.recordCommands);
    BrowseButton->setEnabled(r.recordCommands);
    ShowToolButton(Exitbutton, r.exitVisible);
    FilterButton->setEnabled(r.filterEnabled);
    ClearfilterButton->setEnabled(r.clearFilterEnabled);
    ShowToolButton(ClearfilterButton, r.clearFilterVisible);
    // The date can be picked only for a record there is.
    RecordCard->DateLabel->setEnabled(editing || hasRecord);
    RecordCard->UpdateLinkButtons();

    if (editing && !RecordCard->IsRecordEdit(QApplication::focusWidget()))
        RecordCard->Last->setFocus();
    UpdateFilterStatus();
    // The layers' items follow what changed since the last command.
    session_.Announce();
}

// A toolbar shows or hides its buttons through their actions; hiding the button itself
// would not last past the toolbar's next layout.
void TAddressMain::ShowToolButton(QWidget* button, bool visible)
{
    for (QAction* action : ToolBar->actions())
        if (ToolBar->widgetForAction(action) == button) {
            action->setVisible(visible);
            return;
        }
    button->setVisible(visible);
}

// ---- closing ----------------------------------------------------------------------------------

bool TAddressMain::FormCloseQuery()
{
    if (!TableBook.Active())
        return true;
    // Typed changes are the user's work: he says whether they are kept. An edit left
    // untouched is dropped without a word.
    if (IsEditing() && TableBook.Modified()) {
        const int answer = ShowMessageBox("Save changes?", "Save", MbYesNoCancel | MbIconQuestion);
        if (answer == IdCancel)
            return false;
        if (answer == IdYes) {
            SaveButtonClick();
            // A save that failed keeps the edit, and the window with it.
            if (IsEditing())
                return false;
        }
    }
    if (TableBook.Active() && IsEditing())
        TableBook.Cancel();
    TableBook.Close();
    return true;
}

// ---- aggressive saving ------------------------------------------------------------------------

void TAddressMain::CheckCloseAndOpen()
{
    if (!SaveCounter.CountSave(AggressiveSave))
        return;
    const long recNo = Apollo1.RecNo();
    const QString order = CurrentOrderName;
    // A failed attempt clears LastOpenedFile; every attempt is at the same file.
    const QString file = LastOpenedFile;
    QString reason;
    {
        BusyCursor busy;
        ControlsScope quiet(TableBook);
        TableBook.Close();
        {
            HeldMessages held;
            for (int attempt = 0; attempt < 10 && !TableBook.Active(); ++attempt) {
                held.Clear();
                if (!OpenBookDBF(file))
                    continue;
                ReselectOrder(order);
                ReapplyFilter();
                try {
                    Apollo1.Go(recNo);
                } catch (const TableError&) {
                    // The record may be gone; the file is open again, which is what matters.
                }
            }
            reason = held.Texts().join("\r\n");
        }
        if (!TableBook.Active()) {
            LastOpenedFile.clear();
            ShowInformation("An error has occurred which may have resulted in lost data.\r\n"
                            "Please close and restart the program, and verify that the\r\n"
                            "last few changes were saved.\r\n\r\n"
                            "If you see this message too often, turn off agressive saving\r\n"
                            "from the Preferences screen\r\n\r\n" +
                            file + "\r\n" + reason);
        }
    }
    SetButtons();
}

// Puts back an order by its tag, with the "&Sort" menu's check mark when it offers it.
void TAddressMain::ReselectOrder(const QString& tag)
{
    for (const SortOrder& order : SortOrders)
        if (tag == order.tag) {
            SetOrderTo(OrderCaptionText(order.caption));
            return;
        }
    SetCurrentOrder(tag);
}

// ---- first activation -------------------------------------------------------------------------

void TAddressMain::FinishFirstActivation()
{
    SetButtons();
    CheckPrinterAvailability();
}
