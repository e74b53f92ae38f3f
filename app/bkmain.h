#pragma once

#include "app/addingprefs.h"
#include "app/aggressivesave.h"
#include "app/newrecordfill.h"
#include "select/queryformplaces.h"
#include "session/addresssession.h"
#include "session/mainmenus.h"

#include <QMainWindow>
#include <QStyle>
#include <functional>

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QToolBar;
class TRecordCard;
class QToolButton;

// The main window: one address file, one record at a time. Each area of the window
// (record editing, opening files, ordering and search, filters and tags, printing) keeps
// its methods in its own bkmain_<area>.cpp and its set-up in one setup call of the
// constructor. Menus and controls carry their names as objectName for tests and for
// "What's this?" texts; the areas reach each other's items through the members below.
//
// The shared state (the open table, selection, order, tag id, printer) lives in the
// session the window owns: dialogs, layers and tests take Session(), and a layer's command
// object adds its items to its places in Menus() and enables them from the session's
// signals; SetButtons handles the window's own controls only. The handlers below reach
// the session's parts under their usual names.
class TAddressMain : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int HelpContext = 1029;

    explicit TAddressMain(QWidget* parent = nullptr);
    ~TAddressMain() override;

    AddressSession& Session() { return session_; }
    MainMenus Menus();

    // Preferences, refreshed only by LoadPreferences.
    AddingPreferences Preferences;
    int AggressiveSave = 1;

    // Reads the "Adding" preferences, the saving level and the tag id (a new id when none
    // is stored), then stores the tag id at once.
    void LoadPreferences();
    // Writes GlobalTagId to the settings file.
    void SaveTagPref();

    // Top-level menus, in menu-bar order. Ed&it is never shown: add its actions to the
    // window as well (addAction), so their shortcuts stay live.
    QMenu* File1;    // "&File": the areas' items go before Prefences1
    QMenu* Edit1;    // "Ed&it"
    QMenu* Record1;  // "&Record"
    QMenu* mnuOrder; // "&Sort"
    QMenu* Filter1;  // "Fi&lter"
    QMenu* Print1;   // "&Print"
    QMenu* Help1;    // "&Help"

    QAction* Prefences1;     // "Pre&ferences"
    QAction* Exit1;          // "E&xit "
    QToolButton* Exitbutton; // "E&xit" on the toolbar, last

    // Opening, checking, creating and rebuilding address files (bkmain_files.cpp).
    bool IndexValid = false;
    QAction* OpenFileMenu;       // "&Open Address DataBase"
    QAction* NewFileMenu;        // "&New Address Database"
    QAction* RebuildIndexesMenu; // "&Rebuild Indexes for this file"
    QAction* StartOfMRU;         // separator; the recent files follow it
    // The open dialog; tests put their own choice here. Gives the chosen path or "".
    std::function<QString(const QString& startFolder)> OpenDialogBook;

    QString GetDatabasePath() const;
    bool OpenBookDBF(const QString& path);
    bool OpenBookFile(const QString& path);
    void CheckValidIndex();
    void OnOpenBookFile(bool active);
    void GetMRUList(QStringList& list);
    void PutMRUList(const QStringList& list);
    void UpdateMRUList(const QString& path);
    QString GetMRUFile();
    void UpdateMenuMRUList();
    void MRUITemClick(QAction* item);
    void OpenBookDBFOrReturn(const QString& path);
    void OpenFileMenuClick();
    void NewFileMenuClick();
    void RebuildIndexesMenuClick();

    // Ordering, search and browse (bkmain_sort.cpp).
    QList<QAction*> SortItems; // the "&Sort" menu's fourteen items, in menu order
    QAction* mnuSearch;        // "&Search"
    QAction* mnuBrowse;        // "&Browse"
    QToolButton* SearchButton;
    QToolButton* BrowseButton;
    // Tags or untags the current record: the browse window's "&Tag" and double-click.
    // The tags area supplies it.
    std::function<void()> ToggleCurrentTag;

    void SetCurrentOrder(const QString& tag);
    void SetOrderTo(const QString& text);
    void SetMenuOrder(QAction* item);
    // The order every successful open starts with.
    void OrderByLastName();
    void SearchButtonClick();
    void BrowseButtonClick();

    // Record editing and data-entry assists (bkmain_records.cpp, bkmain_assists.cpp).
    TRecordCard* RecordCard = nullptr;
    QToolButton *AddButton, *EditButton, *DeleteButton, *SaveButton, *CancelButton;
    QToolButton *RecordFirst, *RecordPrev, *RecordNext, *RecordLast;
    QAction *mnuAdd, *mnuEdit, *mnuDelete, *mnuClone, *mnuFirst, *mnuPrevious, *mnuNext, *mnuLast;
    // False while a clone runs, so its insert and post leave buttons and focus alone.
    bool EventsActive = false;
    AggressiveSaveCounter SaveCounter;

    void SetButtons();
    void SetExtraFields(bool visible);
    void SetSkipFields(bool skip);
    bool FillCityState(const QString& zip, QString& city, QString& state);
    bool CheckDupName(const QString& first, const QString& last);
    // The window sees every key before its controls; true when it used the key.
    bool FormKeyDown(QKeyEvent* key);
    void AddButtonClick();
    void EditButtonClick();
    void DeleteButtonClick();
    void SaveButtonClick();
    void CancelButtonClick();
    void RecordFirstClick();
    void RecordPrevClick();
    void RecordNextClick();
    void RecordLastClick();
    void EditFieldClick();
    void mnuCloneClick();
    void DateLabelClick();

    // Filters and tags (bkmain_select.cpp).
    QAction* mnuSetFilter;           // "Set &Filter" (Ctrl+F)
    QAction* mnuClearFilter;         // "&Clear Filter"
    QAction* mnuSaveFilter;          // "&Save Filter"
    QAction* mnuRestoreFilter;       // "&Restore Filter"
    QAction* mnuTagAllFilterMatches; // "&Tag All Filter Matches"
    QAction* mnuClearTags;           // "Clear &Tags"
    QToolButton* FilterButton;
    QToolButton* ClearfilterButton;
    QLabel* FilterStatus; // the match count in the status bar
    QLabel* OrderStatus;  // "Sorted by" the current order
    // Sets the active query from the query values: the match count, 0 with no filter.
    long ApplyFilter();
    bool FilterIsSet() const;
    void ReapplyFilter();
    // After a save, delete or tag toggle: drops a filter whose last match is gone.
    void ReapplyFilterIfNothingMatches();
    // Tags or untags the current record, then drops a filter left without matches.
    void ToggleRecordTag();
    void UpdateFilterStatus();
    void FilterButtonClick();
    void ClearfilterButtonClick();
    void mnuClearFilterClick();
    void mnuSaveFilterClick();
    void mnuRestoreFilterClick();
    void mnuClearTagsClick();
    void mnuTagAllFilterMatchesClick();
    void TaggedMouseDown();
    RecordCardControls RecordCardForQuery() const;

    QToolBar* ToolBar;
    QWidget* RecordPanel; // the record's edits; hidden while no file is open
    QLabel* NoData;       // shown instead of the record while no file is open

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    AddressSession session_;
    // The session's parts under the names the handlers use.
    TTable& TableBook = session_.TableBook;
    TDataSource& DataSourceBook = session_.DataSourceBook;
    TApollo& Apollo1 = session_.Apollo1;
    TApolloEnv& ApolloEnv1 = session_.ApolloEnv1;
    Selection& Select = session_.Select;
    QString& GlobalTagId = session_.GlobalTagId;
    QString& CurrentOrderName = session_.CurrentOrderName;
    QString& LastOpenedFile = session_.LastOpenedFile;
    // A second trio, used only to create new files.
    TTable TAbleCreate;
    TDataSource DataSourceCreate;
    TApollo ApolloCreate;

    // Set-up of each area, called in this order by the constructor.
    void setupMenus();
    void setupPanels();
    void setupFiles();
    void setupRecords();
    void setupSort();
    void setupSelect();
    void setupExitButton();
    // The layers' places in the menus (MainMenus).
    void setupPlaces();
    QAction* ImportPlace_ = nullptr;
    QAction* ExportPlace_ = nullptr;
    QAction* LabelsPlace_ = nullptr;
    QAction* ReportsPlace_ = nullptr;
    QAction* ClipboardPlace_ = nullptr;
    void ClearFilter();

    // The most recent file, else DATA/add0001.DBF (made when missing); at first activation.
    void OpenStartupFile();
    // Orders the open file by the tag and applies the filter of the current selection.
    void ApplyFilterOrClear();

    void FormCreate();
    void FormActivate();
    void FormClose();

    void Prefences1Click();
    void Exit1Click();

    bool firstActivation_ = true;

    // Record editing (bkmain_records.cpp, bkmain_assists.cpp).
    class LookupScope;
    void setupRecordToolBar();
    void setupRecordMenus();
    QToolButton* AddRecordButton(const char* name, const QString& caption, const QString& hint,
                                 QStyle::StandardPixmap icon, void (TAddressMain::*handler)());
    void ShowToolButton(QWidget* button, bool visible);
    bool IsEditing() const;
    bool HasRecord();
    // Runs table operations; a failure is shown to the user and gives false.
    bool RunTableCommand(const std::function<void()>& command);
    CarriedValues TakeCarriedValues();
    void TableBookAfterInsert();
    void TableBookAfterEdit();
    void TableBookAfterPost();
    void TableBookAfterCancel();
    void CheckCloseAndOpen();
    void LeaveRecordOutsideSelection();
    void ReselectOrder(const QString& tag);
    // Checks the "&Sort" item of the current order, after a layer put the order back.
    void ShowOrderInMenu();
    // False when the user chose to stay.
    bool FormCloseQuery();
    void FinishFirstActivation();
};
