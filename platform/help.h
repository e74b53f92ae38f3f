#pragma once

class QWidget;

// Context help. Every "Help" button and the Help menu go through one replaceable service,
// so tests can see which topic was asked for without opening a window.
class HelpService {
public:
    virtual ~HelpService() = default;
    virtual void ShowTopic(int context) = 0;
    virtual void ShowContents() = 0;
    virtual void ShowHowToUseHelp() = 0;
    // Opens the keyword search with an empty key.
    virtual void ShowSearch() = 0;
};

// Installs a service (not owned) and returns the one it replaces; nullptr restores the
// help window.
HelpService* SetHelpService(HelpService* service);

void ShowHelpTopic(int context);
void ShowHelpContents();
void ShowHowToUseHelp();
void ShowHelpSearch();

// F1 anywhere in the window opens the window's topic.
void SetHelpContext(QWidget* window, int context);
