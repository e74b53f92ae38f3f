#pragma once
// The push buttons of the import and matching dialogs: a caption and the object name the
// dialog's form gives the button.

class QPushButton;
class QString;

QPushButton* NamedButton(const QString& caption, const char* name);
