#pragma once
// Choosing the file to save a filter to or restore one from. Each choice goes through a
// replaceable function, since tests cannot drive the platform's file dialogs. An empty
// path means the user cancelled.

#include <QString>
#include <functional>

class QWidget;

using FilterFileChooser = std::function<QString(QWidget* parent, const QString& directory)>;

// The save dialog starts in the folder it was last left in, or in the program directory
// the first time.
QString ChooseFilterSavePath(QWidget* parent);
// The open dialog always starts in the program directory.
QString ChooseFilterOpenPath(QWidget* parent);

// Replace the dialogs (tests); an empty function restores the real one. Replacing the
// save dialog also forgets the folder it was last left in.
void SetFilterSaveChooser(FilterFileChooser chooser);
void SetFilterOpenChooser(FilterFileChooser chooser);
