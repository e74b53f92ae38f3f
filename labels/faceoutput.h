#pragma once
// What drawing a laid-out face needs of a surface, and the one routine that draws it. The
// face's lengths are points from the label's top left corner; each surface maps them to
// its own device: a painter (the design screen, a picture, Qt's PDF engine), or the
// report canvas (the printer, the preview, the project's own PDF writer).

#include "labels/labelface.h"

#include <QTransform>

class QPainter;

class FaceOutput {
public:
    virtual ~FaceOutput() = default;
    virtual void SetFont(const ReportFont& font) = 0;
    // Text whose top left corner is at topLeft, cut off outside clip.
    virtual void Text(const QRectF& clip, QPointF topLeft, const QString& text) = 0;
    // A barcode's rectangles, filled black.
    virtual void Bars(const std::vector<QRectF>& bars) = 0;
};

void DrawFace(const FaceLayout& layout, FaceOutput& output);

// Draws on a painter, whose coordinates are mapped from the face's points by pointsToPainter.
// The font is sized for the painter's device, so a point is a point on any device.
class PainterFaceOutput : public FaceOutput {
public:
    PainterFaceOutput(QPainter& painter, const QTransform& pointsToPainter);
    void SetFont(const ReportFont& font) override;
    void Text(const QRectF& clip, QPointF topLeft, const QString& text) override;
    void Bars(const std::vector<QRectF>& bars) override;

private:
    QPainter& painter_;
    QTransform transform_;
    double ascent_ = 0; // points
};
