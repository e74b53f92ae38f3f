#include "select/queryformplaces.h"

#include "platform/buddylabel.h"

#include <QLabel>
#include <QWidget>
#include <algorithm>

namespace {

constexpr int kRowHeight = 28;
constexpr int kEditHeight = 22;
constexpr int kLabelWidth = 80;
constexpr int kEditWidth = 210;
constexpr int kColumnWidth = kLabelWidth + kEditWidth + 24;
constexpr int kMargin = 8;
constexpr int kLabelGap = 8;

} // namespace

QueryFormPlaces defaultQueryFormPlaces()
{
    QueryFormPlaces places;
    const int perColumn = (QueryFieldCount + 1) / 2;
    int i = 0;
    for (QueryField field : allQueryFields()) {
        const int x = kMargin + (i / perColumn) * kColumnWidth;
        const int y = kMargin + (i % perColumn) * kRowHeight;
        QueryFormPlaces::Field& place = places.fields[static_cast<std::size_t>(i)];
        place.label = QRect(x, y, kLabelWidth - kLabelGap, kEditHeight);
        place.edit = QRect(x + kLabelWidth, y, kEditWidth, kEditHeight);
        place.caption = QString::fromLatin1(queryFieldInfo(field).label);
        ++i;
    }
    places.tagged = QRect(kMargin + kLabelWidth, kMargin + perColumn * kRowHeight, 80, kEditHeight);
    return places;
}

QueryFormPlaces placesFromRecordCard(const RecordCardControls& card)
{
    QueryFormPlaces places = defaultQueryFormPlaces();
    const QWidget* area = card.area;
    if (!area)
        return places;
    // Positions are taken relative to the record area, which leaves out the toolbar.
    auto placeOf = [area](const QWidget* w) { return QRect(w->mapTo(area, QPoint(0, 0)), w->size()); };

    std::array<const QLabel*, QueryFieldCount> windowLabels{};
    std::array<bool, QueryFieldCount> fromWindow{};
    for (QueryField field : allQueryFields()) {
        const auto i = static_cast<std::size_t>(field);
        const QWidget* edit = card.edits[i];
        if (!edit || !area->isAncestorOf(edit))
            continue;
        fromWindow[i] = true;
        QueryFormPlaces::Field& place = places.fields[i];
        place.edit = placeOf(edit);
        // The label takes the place of the main window's; its caption stays the form's own,
        // which says what the pattern is compared with ("Zip or Postal"). A field whose
        // caption is no label (a button, say) has its caption just left of the edit.
        place.label =
            QRect(place.edit.left() - kLabelWidth - kLabelGap, place.edit.top(), kLabelWidth, place.edit.height());
        windowLabels[i] = BuddyLabelOf(area->window(), edit);
        if (windowLabels[i])
            place.label = placeOf(windowLabels[i]);
    }
    // A caption wider than the window's label grows to its left while that is free; where
    // another control stands too close (the state's edit left of the zip's label), the
    // window's own caption is shown rather than a cut one.
    for (std::size_t i = 0; i < places.fields.size(); ++i) {
        QueryFormPlaces::Field& place = places.fields[i];
        const QLabel* label = windowLabels[i];
        const int needed = label ? label->fontMetrics().horizontalAdvance(place.caption) : 0;
        if (needed <= place.label.width())
            continue;
        int free = 0;
        for (std::size_t j = 0; j < places.fields.size(); ++j)
            for (const QRect& other : {places.fields[j].edit, places.fields[j].label})
                if (fromWindow[j] && j != i && other.right() < place.label.left() &&
                    other.top() <= place.label.bottom() && other.bottom() >= place.label.top())
                    free = std::max(free, other.right() + 1 + kLabelGap);
        if (place.label.right() + 1 - needed >= free)
            place.label.setLeft(place.label.right() + 1 - needed);
        else
            place.caption = QString(label->text()).remove(u'&');
    }
    if (card.tagged && area->isAncestorOf(card.tagged))
        places.tagged = placeOf(card.tagged);
    return places;
}
