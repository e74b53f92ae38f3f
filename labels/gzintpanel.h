#pragma once
// The design screen's view of a label face: the face model (labelface.h) drawn at actual
// size on the screen, with the label's shape, the text margins dotted in and, when asked,
// the outline. Printing does not use it: it lays out the model itself.
//
//   TZintLabelPanel panel;
//   panel.SetDataTable(&table);
//   panel.SetStyle(setup.Face());
//
// Setters repaint but do not rebuild the lines: after changing the record or an address
// part, call SetLinesDirty() (the next repaint rebuilds them) or BuildLines().

#include "labels/labelface.h"

#include <QColor>
#include <QWidget>
#include <functional>

class TApollo;

class TZintLabelPanel : public QWidget {
    Q_OBJECT
public:
    explicit TZintLabelPanel(QWidget* parent = nullptr);

    TTable* DataTable() const { return face_.DataTable(); }
    void SetDataTable(TTable* table) { face_.SetDataTable(table); }
    // Held for the screens that move through the table; drawing does not use it.
    TApollo* DataApollo() const { return dataApollo_; }
    void SetDataApollo(TApollo* apollo) { dataApollo_ = apollo; }
    bool DrawOutline() const { return drawOutline_; }
    void SetDrawOutline(bool value) { Set(drawOutline_, value); }
    const std::function<void()>& LabelChangedEvent() const { return labelChanged_; }
    void SetLabelChangedEvent(std::function<void()> handler) { labelChanged_ = std::move(handler); }

    // The whole face at once; the control takes the label's size on this screen.
    const FaceStyle& Style() const { return face_.style; }
    void SetStyle(const FaceStyle& style);

    TLabelShapeType Shape() const { return face_.style.shape; }
    void SetShape(TLabelShapeType value) { Set(face_.style.shape, value); }
    int Alignment() const { return face_.style.alignment; }
    void SetAlignment(int value) { Set(face_.style.alignment, value); }
    const QFont& Font() const { return face_.style.font; }
    void SetFont(const QFont& value) { Set(face_.style.font, value); }
    QColor FontColor() const { return face_.style.fontColor; }
    void SetFontColor(const QColor& value) { Set(face_.style.fontColor, value); }
    const LabelLineOptions& LineOptions() const { return face_.style.options; }
    void SetLineOptions(const LabelLineOptions& value) { Set(face_.style.options, value); }
    // Text margins inside the label, in inches.
    double MarginTop() const { return face_.style.marginTop; }
    void SetMarginTop(double value) { Set(face_.style.marginTop, value); }
    double MarginLeft() const { return face_.style.marginLeft; }
    void SetMarginLeft(double value) { Set(face_.style.marginLeft, value); }
    double MarginBottom() const { return face_.style.marginBottom; }
    void SetMarginBottom(double value) { Set(face_.style.marginBottom, value); }
    double MarginRight() const { return face_.style.marginRight; }
    void SetMarginRight(double value) { Set(face_.style.marginRight, value); }
    bool AdjustFontSizeToFit() const { return face_.style.adjustFontSizeToFit; }
    void SetAdjustFontSizeToFit(bool value) { Set(face_.style.adjustFontSizeToFit, value); }
    const BarcodeChoice& Barcode() const { return face_.style.barcode; }
    // The barcode's data comes from the record: the lines are composed anew with it.
    void SetBarcode(const BarcodeChoice& value, const IntelligentMailSettings& mail);

    // On screen, the colour around the label's shape.
    QColor BGColor() const { return bgColor_; }
    void SetBGColor(const QColor& value) { Set(bgColor_, value); }

    // Screen pixels per inch: the face is shown at round(PixelsPerInch() x inches).
    double PixelsPerInch() const;

    // Composes the lines from the table's current record now.
    void BuildLines() { face_.BuildLines(); }
    // The record or the address format changed: the next drawing composes anew.
    void SetLinesDirty() { linesDirty_ = true; }
    // The lines, composed anew first when they are dirty.
    const QStringList& LabelLines();
    // What printing the face would do with the current record's lines.
    FaceLines MeasureLines();
    // Why the current record's label would have no barcode; empty when it has one or none is chosen.
    QString BarcodeRefusal();

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    template <class T>
    void Set(T& member, const T& value)
    {
        if (member == value)
            return;
        member = value;
        update();
    }
    void RefreshLines();

    LabelFace face_;
    TApollo* dataApollo_ = nullptr;
    bool drawOutline_ = false;
    std::function<void()> labelChanged_;
    QColor bgColor_ = QColor(0xC0, 0xC0, 0xC0);
    bool linesDirty_ = true;
    bool painting_ = false;
};
