#pragma once
// The push buttons of the label dialogs: named, added to a row, Enter pressing only the
// one marked default.

#include <QString>

class QHBoxLayout;
class QPushButton;

QPushButton* DialogButton(QHBoxLayout* row, const char* objectName, const QString& caption, bool isDefault = false);
