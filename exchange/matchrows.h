#pragma once
// The two columns of a matching grid: one row per target field (its display label) and
// the name of the column or source field assigned to it. A name fills at most one row.

#include <QString>
#include <QStringList>

class MatchRows {
public:
    explicit MatchRows(const QStringList& labels);

    int Count() const { return static_cast<int>(labels_.size()); }
    const QString& Label(int row) const { return labels_.at(row); }
    const QString& Assigned(int row) const { return assigned_.at(row); }
    // The row holding the name, or -1.
    int RowOf(const QString& name) const;

    // Clears the name from every other row, then writes it into this one; an empty name
    // clears the row.
    void Assign(int row, const QString& name);
    void Clear(int row) { Assign(row, QString()); }
    void ClearAll();

private:
    QStringList labels_;
    QStringList assigned_;
};
