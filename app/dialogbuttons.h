#pragma once

#include <QDialogButtonBox>

class QPushButton;

// Adds a button with its caption and object name to a dialog's button row.
QPushButton* AddNamedButton(QDialogButtonBox* box, const QString& caption, QDialogButtonBox::ButtonRole role,
                            const char* name);
