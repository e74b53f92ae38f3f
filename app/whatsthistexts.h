#pragma once

class QWidget;

// The "What's this?" texts of the address book's windows, one call in each window's
// constructor once its controls exist.
void ExplainMainWindow(QWidget* window);
void ExplainPreferences(QWidget* dialog);
void ExplainBrowse(QWidget* dialog);
void ExplainSearch(QWidget* dialog);
void ExplainNewRecord(QWidget* dialog);
void ExplainDateSelector(QWidget* dialog);
