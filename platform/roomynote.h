#pragma once

#include <QString>

class QLabel;

// A word-wrapped note that starts hidden and keeps its room in the layout while hidden,
// so that showing it neither clips it nor makes the window jump.
QLabel* RoomyNote(const char* objectName, const QString& text = QString());
