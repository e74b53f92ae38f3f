#include "exchange/matchrows.h"

MatchRows::MatchRows(const QStringList& labels) : labels_(labels)
{
    ClearAll();
}

int MatchRows::RowOf(const QString& name) const
{
    return name.isEmpty() ? -1 : static_cast<int>(assigned_.indexOf(name));
}

void MatchRows::Assign(int row, const QString& name)
{
    if (row < 0 || row >= Count())
        return;
    for (QString& other : assigned_)
        if (!name.isEmpty() && other == name)
            other.clear();
    assigned_[row] = name;
}

void MatchRows::ClearAll()
{
    assigned_ = QStringList();
    for (qsizetype i = 0; i < labels_.size(); ++i)
        assigned_.append(QString());
}
