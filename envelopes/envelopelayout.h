#pragma once
// Where things go on an envelope, in inches from its top left corner as it is read, and
// how the upright envelope is turned onto the page a printer takes.

#include "envelopes/envelopesettings.h"

#include <QRectF>
#include <QTransform>

// The address block: from a little left of the middle across to half an inch from the
// right edge, from just above the middle down to the 5/8 inch band along the bottom that
// postal machines keep for their own barcode; moved by the offsets.
QRectF AddressBlock(const EnvelopeSize& size, const EnvelopeOffsets& offsets);

// The return address block in the top left corner.
QRectF ReturnAddressBlock(const EnvelopeSize& size);

// Quarter turns clockwise that bring the upright envelope onto the page as the printer
// feeds it: the page's top is the edge that goes in first, seen from the printed side.
int FeedQuarterTurns(const EnvelopeFeed& feed);

// The page the printer gets, in inches: the envelope's size, turned.
QSizeF FedPage(const EnvelopeSize& size, int quarterTurns);

// Maps inches on the upright envelope to inches on the fed page.
QTransform EnvelopeToPage(const EnvelopeSize& size, int quarterTurns);
