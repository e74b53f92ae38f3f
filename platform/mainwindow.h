#pragma once

class QWidget;

// The program's main window, once it exists: dialogs centre on it and message boxes
// open over it. Not owned; forgotten automatically when the window is destroyed.
void SetMainWindow(QWidget* window);
QWidget* MainWindow();
// The window a dialog, message or help opens over: the modal dialog in front, else the
// main window (null before there is one).
QWidget* DialogOwner();
