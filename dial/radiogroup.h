#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

// A framed set of radio buttons chosen by index, laid out in columns.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    // The group is named name, its buttons name + 0, name + 1...; the first is chosen.
    TRadioGroup(const char* name, const QString& caption, const QStringList& items, int columns, QWidget* parent);

    int ItemIndex() const;
    // An index outside the items leaves the choice as it is.
    void SetItemIndex(int index);

signals:
    void ItemIndexChanged(int index);

private:
    QButtonGroup* buttons_;
};
