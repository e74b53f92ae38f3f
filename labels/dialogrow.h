#pragma once
// The named controls of the label dialogs. Push buttons go in a row, Enter pressing only
// the one marked default; check boxes and radio buttons go in a column.

#include <QString>

class QCheckBox;
class QHBoxLayout;
class QLayout;
class QPushButton;
class QRadioButton;

QPushButton* DialogButton(QHBoxLayout* row, const char* objectName, const QString& caption, bool isDefault = false);
QCheckBox* DialogCheck(QLayout* column, const char* objectName, const QString& caption, bool checked = false);
QRadioButton* DialogRadio(QLayout* column, const char* objectName, const QString& caption, bool checked = false);
