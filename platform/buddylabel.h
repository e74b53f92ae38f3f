#pragma once

class QLabel;
class QWidget;

// The label below `within` that names the control (the label's buddy); null when none does.
QLabel* BuddyLabelOf(const QWidget* within, const QWidget* control);
