#include "report/previewzoom.h"

#include <algorithm>
#include <cmath>

double ClampZoom(double zoom)
{
    return std::clamp(zoom, MinZoom, MaxZoom);
}

double PreviewMargin(QSizeF paperInches, double dpi, double marginPercent)
{
    return paperInches.width() * dpi * marginPercent / 100;
}

double ZoomForPageWidth(QSizeF paperInches, double dpi, double marginPercent, QSize client, int scrollBarWidth)
{
    const double margin = PreviewMargin(paperInches, dpi, marginPercent);
    const double pageWidth = paperInches.width() * dpi;
    double zoom = 100 * (client.width() - 2 * margin) / pageWidth;
    if (paperInches.height() * dpi * zoom / 100 + 2 * margin > client.height())
        zoom = 100 * (client.width() - scrollBarWidth - 2 * margin) / pageWidth;
    return ClampZoom(zoom);
}

double ZoomForWholePage(QSizeF paperInches, double dpi, double marginPercent, QSize client)
{
    const double margin = PreviewMargin(paperInches, dpi, marginPercent);
    const double byWidth = 100 * (client.width() - 4 - 2 * margin) / (paperInches.width() * dpi);
    const double byHeight = 100 * (client.height() - 4 - 2 * margin) / (paperInches.height() * dpi);
    return ClampZoom(std::min(byWidth, byHeight));
}

QString PreviewCaption(int page, int firstPage, int pageCount, double zoom)
{
    return QStringLiteral("Preview Page %1 of %2 ( %3% )").arg(page - firstPage + 1).arg(pageCount).arg(qRound(zoom));
}
