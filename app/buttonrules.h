#pragma once

// Which of the main window's commands are enabled and shown, from four facts about it.
struct WindowFacts {
    bool open = false;      // an address file is open
    bool editing = false;   // the record is being edited or inserted
    bool hasRecord = false; // there is a current record
    bool filterSet = false; // a filter text is set
};

struct ButtonRules {
    bool fileItems;  // "Ed&it" menu, rebuild, the import items, clear tags, restore filter
    bool addEnabled; // AddButton and the "&Record" menu
    bool addVisible;
    bool editDeleteEnabled; // EditButton, DeleteButton
    bool editDeleteVisible;
    bool recordCommands;    // search, browse, export, clone, sort, print
    bool navigationVisible; // the four move buttons
    bool saveCancel;        // SaveButton and CancelButton, enabled and shown
    bool exitVisible;       // Exitbutton
    bool fileMenu;          // "&File" menu and "E&xit "
    bool filterEnabled;     // FilterButton and "Set &Filter"
    bool clearFilterEnabled;
    bool clearFilterVisible;
    bool filterItems; // save filter, clear filter, tag all filter matches
};

ButtonRules ComputeButtonRules(const WindowFacts& facts);
