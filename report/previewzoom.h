#pragma once

#include <QSize>
#include <QSizeF>
#include <QString>

// The preview's zoom arithmetic, in screen pixels. Zoom 100 shows the paper at its size
// on the screen (dpi pixels per inch).

inline constexpr double MinZoom = 10;
inline constexpr double MaxZoom = 200;

double ClampZoom(double zoom);

// The margin kept on each side of the page in the fit modes: marginPercent of the page
// width as shown at zoom 100, not scaled by the zoom.
double PreviewMargin(QSizeF paperInches, double dpi, double marginPercent);

// The zoom at which the page plus both margins fills the client width, less the vertical
// scroll bar when the page then no longer fits in height.
double ZoomForPageWidth(QSizeF paperInches, double dpi, double marginPercent, QSize client, int scrollBarWidth);

// The zoom at which the whole page plus margins fits the client, 4 pixels to spare each way.
double ZoomForWholePage(QSizeF paperInches, double dpi, double marginPercent, QSize client);

// "Preview Page 1 of 3 ( 85% )".
QString PreviewCaption(int page, int firstPage, int pageCount, double zoom);
