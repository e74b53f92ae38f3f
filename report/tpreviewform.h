#pragma once

#include "report/tfileprinter.h"

#include <QDialog>
#include <QImage>

class QPushButton;
class QScrollArea;
class QToolButton;
class TPreviewPage;

// The print preview: one page of a recorded report at a time, drawn from the stream only
// when it is shown, with zoom and page buttons. The caller sets the caption and the start
// zoom, hands the stream to FilePreview1 and shows the window modally.
class TPreviewForm : public QDialog {
    Q_OBJECT

public:
    // Start zoom modes; any other value is a zoom factor in percent.
    static constexpr int ZoomWholePage = 1;
    static constexpr int ZoomPageWidth = 2;

    explicit TPreviewForm(QWidget* parent = nullptr);

    TFilePreview FilePreview1;
    QScrollArea* ScrollBox1;
    QPushButton* ReturnButton;
    QToolButton* sbZoomIn;
    QToolButton* sbZoomOut;
    QToolButton* sbZoomPageWidth;
    QToolButton* sbZoomPage;
    QToolButton* zbZoom100;
    QToolButton* sbFirstPage;
    QToolButton* sbPrevPage;
    QToolButton* sbNextPage;
    QToolButton* sbLastPAge;
    QPushButton* Helpbutton;
    QToolButton* MouseHelpButton;

    int ZoomMode() const { return zoomMode_; }
    void SetZoomMode(int mode) { zoomMode_ = mode; }

    void SetZoom(double zoom);
    void ZoomToPageWidth();
    void ZoomToWholePage();
    void ShowPage(int page);
    // The page image as last drawn.
    const QImage& PageImage() const { return image_; }

    void PageMousePress(Qt::MouseButton button);

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void FormActivate();
    void Redraw();
    // A stream that cannot be read is told once, in an error box.
    void ShowStreamFailure();
    QSize ClientSize() const;

    TPreviewPage* page_;
    QImage image_;
    int zoomMode_ = ZoomWholePage;
    bool activated_ = false;
    bool failureShown_ = false;
};
