#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QPicture;

// What the canvas hands to an output once every position is resolved: all lengths in
// inches from the paper's top-left edge, text positions on the baseline unless stated.
// A printer or preview paints it, a recorder stores it, a replay reads it back.

struct ReportFont {
    QString name = QStringLiteral("Arial");
    double points = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QColor colour = Qt::black;
    // Text drawn on a white box instead of leaving the background.
    bool opaque = false;

    bool operator==(const ReportFont&) const = default;
};

struct ReportPen {
    QColor colour = Qt::black;
    Qt::PenStyle style = Qt::SolidLine;
    // In device pixels: 1 is the thinnest line the device draws.
    int width = 1;

    bool operator==(const ReportPen&) const = default;
};

struct ReportPage {
    QSizeF paper;        // inches, as the paper comes out of the printer
    double scaleX = 100; // percent
    double scaleY = 100;

    bool operator==(const ReportPage&) const = default;
};

class ReportOutput {
public:
    virtual ~ReportOutput() = default;
    // Starts a page; every page begins with the font and pen set again.
    virtual void BeginPage(const ReportPage& page) = 0;
    virtual void SetFont(const ReportFont& font) = 0;
    virtual void SetPen(const ReportPen& pen) = 0;
    virtual void Text(QPointF baseline, const QString& text) = 0;
    // Text whose top-left corner is at topLeft, cut off outside clip.
    virtual void ClippedText(const QRectF& clip, QPointF topLeft, const QString& text) = 0;
    virtual void Fill(const QRectF& rect, const QColor& colour) = 0;
    virtual void Line(QPointF from, QPointF to) = 0;
    // The picture's bounding rectangle stretched over rect.
    virtual void Picture(const QRectF& rect, const QPicture& picture) = 0;
};
