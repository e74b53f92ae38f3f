#include "envelopes/envelopelayout.h"

#include "labels/labellayout.h"

#include <algorithm>

namespace {

constexpr double kRightMargin = 0.5;
constexpr double kBarcodeClearBand = 0.625;
constexpr double kReturnMargin = 0.3;

} // namespace

QRectF AddressBlock(const EnvelopeSize& size, const EnvelopeOffsets& offsets)
{
    const double width = size.inches.width();
    const double height = size.inches.height();
    const double left = 0.4 * width;
    const double top = 0.45 * height;
    const QRectF block(left, top, width - kRightMargin - left, height - kBarcodeClearBand - top);
    return block.translated(offsets.rightMillimetres / kMillimetresPerInch,
                            offsets.downMillimetres / kMillimetresPerInch);
}

QRectF ReturnAddressBlock(const EnvelopeSize& size)
{
    const QSizeF s = size.inches;
    return QRectF(kReturnMargin, kReturnMargin, 0.4 * s.width() - kReturnMargin,
                  std::max(0.0, 0.4 * s.height() - kReturnMargin));
}

int FeedQuarterTurns(const EnvelopeFeed& feed)
{
    if (feed.landscape)
        return feed.flapLeft ? 0 : 2;
    // Seen from the printed side, a face-down envelope has its flap on the other side.
    const bool flapOnPageLeft = feed.flapLeft == feed.faceUp;
    return flapOnPageLeft ? 3 : 1;
}

QSizeF FedPage(const EnvelopeSize& size, int quarterTurns)
{
    return quarterTurns % 2 ? size.inches.transposed() : size.inches;
}

QTransform EnvelopeToPage(const EnvelopeSize& size, int quarterTurns)
{
    const double w = size.inches.width();
    const double h = size.inches.height();
    switch (quarterTurns % 4) {
    case 1:
        return QTransform(0, 1, -1, 0, h, 0); // (x, y) -> (h - y, x)
    case 2:
        return QTransform(-1, 0, 0, -1, w, h);
    case 3:
        return QTransform(0, -1, 1, 0, 0, w); // (x, y) -> (y, w - x)
    default:
        return {};
    }
}
