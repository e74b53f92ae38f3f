#include "app/recordindicator.h"

#include <QPainter>
#include <QStyleOptionHeader>

namespace {
constexpr int IndicatorWidth = 16;
}

RecordIndicator::RecordIndicator(QWidget* parent) : QHeaderView(Qt::Vertical, parent)
{
    setObjectName(QStringLiteral("RecordIndicator"));
    // Fixed rows: the view never measures a section, which keeps long files fast.
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(false);
    setHighlightSections(false);
}

void RecordIndicator::SetCurrentRow(int row)
{
    if (row == currentRow_)
        return;
    const int previous = currentRow_;
    currentRow_ = row;
    for (int section : {previous, row}) {
        if (section >= 0)
            updateSection(section);
    }
}

QSize RecordIndicator::sizeHint() const
{
    return {IndicatorWidth, defaultSectionSize()};
}

void RecordIndicator::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = rect;
    option.section = logicalIndex;
    style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);
    if (logicalIndex != currentRow_)
        return;
    QStyleOption arrow;
    arrow.initFrom(this);
    const int side = std::min(rect.width(), rect.height()) - 6;
    arrow.rect = QRect(0, 0, side, side);
    arrow.rect.moveCenter(rect.center());
    style()->drawPrimitive(QStyle::PE_IndicatorArrowRight, &arrow, painter, this);
}
