#pragma once

#include <string>

class QWidget;

// The controls of a window a user can work (buttons, edits, lists, calendars...) that have
// no "What's this?" text of their own or from a control around them: their object names,
// joined with ", " for a readable failure.
std::string ControlsWithoutWhatsThis(const QWidget* window);

// How many "What's this?" texts are on screen now.
int ShownWhatsThisTexts();
