#pragma once
// The grid's left margin: an arrow beside the current record's row and nothing else, so
// it stays narrow and cheap however many rows there are.

#include <QHeaderView>

class RecordIndicator : public QHeaderView {
public:
    explicit RecordIndicator(QWidget* parent = nullptr);

    int CurrentRow() const { return currentRow_; }
    void SetCurrentRow(int row);

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    int currentRow_ = -1;
};
