#include "select/queryformplaces.h"

#include "platform/buddylabel.h"

#include <QLabel>
#include <QWidget>

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

QueryFormPlaces placesFromMainWindow(const QWidget& mainWindow)
{
    QueryFormPlaces places = defaultQueryFormPlaces();
    const QWidget* last = mainWindow.findChild<QWidget*>(QStringLiteral("Last"));
    if (!last)
        return places;
    // The record area is the widget that holds the record edits; positions are taken
    // relative to it, which leaves out the toolbar above it.
    const QWidget* area = last->parentWidget();
    auto placeOf = [area](const QWidget* w) { return QRect(w->mapTo(area, QPoint(0, 0)), w->size()); };

    for (QueryField field : allQueryFields()) {
        const QWidget* edit = mainWindow.findChild<QWidget*>(QLatin1StringView(queryFieldInfo(field).mainEditName));
        if (!edit || !area->isAncestorOf(edit))
            continue;
        QueryFormPlaces::Field& place = places.fields[static_cast<std::size_t>(field)];
        place.edit = placeOf(edit);
        // The label takes the place of the main window's; its caption stays the form's own,
        // which says what the pattern is compared with ("Zip or Postal"). A field whose
        // caption is no label (a button, say) has its caption just left of the edit.
        place.label =
            QRect(place.edit.left() - kLabelWidth - kLabelGap, place.edit.top(), kLabelWidth, place.edit.height());
        if (const QLabel* label = BuddyLabelOf(&mainWindow, edit)) {
            place.label = placeOf(label);
            // Where the form's caption would be cut ("Zip or Postal" beside the zip), the window's fits.
            if (label->fontMetrics().horizontalAdvance(place.caption) > place.label.width())
                place.caption = QString(label->text()).remove(u'&');
        }
    }
    if (const QWidget* tagged = mainWindow.findChild<QWidget*>(QStringLiteral("Tagged"));
        tagged && area->isAncestorOf(tagged))
        places.tagged = placeOf(tagged);
    return places;
}
