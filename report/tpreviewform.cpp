#include "report/tpreviewform.h"

#include "platform/help.h"
#include "platform/messages.h"
#include "platform/placement.h"
#include "report/previewzoom.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWhatsThis>

namespace {

constexpr int HelpContext = 1074;

// A magnifying glass: a ring with a handle, hot spot in the ring's centre.
QCursor magnifierCursor()
{
    QPixmap glass(32, 32);
    glass.fill(Qt::transparent);
    QPainter p(&glass);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 5));
    p.drawEllipse(QRectF(3, 3, 16, 16));
    p.drawLine(QPointF(17, 17), QPointF(28, 28));
    p.setPen(QPen(Qt::black, 2.5));
    p.drawEllipse(QRectF(3, 3, 16, 16));
    p.setPen(QPen(Qt::black, 4));
    p.drawLine(QPointF(17, 17), QPointF(28, 28));
    p.end();
    return QCursor(glass, 11, 11);
}

QToolButton* toolButton(QWidget* parent, const char* name, const QString& text, const QString& tip)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setToolTip(tip);
    button->setWhatsThis(tip);
    return button;
}

} // namespace

// The page image with the preview's margin around it; a click zooms.
class TPreviewPage : public QWidget {
public:
    explicit TPreviewPage(TPreviewForm* form) : QWidget(form), form_(form)
    {
        setObjectName(QStringLiteral("PreviewPage"));
        setCursor(magnifierCursor());
        setWhatsThis(QStringLiteral("Left click zooms in, right click zooms out."));
    }
    void SetPage(const QImage* image, int margin)
    {
        image_ = image;
        margin_ = margin;
        const QSize size = image->isNull() ? QSize() : image->size();
        resize(size + QSize(2 * margin, 2 * margin));
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().dark());
        if (image_ && !image_->isNull())
            p.drawImage(QPoint((width() - image_->width()) / 2, margin_), *image_);
    }
    void mousePressEvent(QMouseEvent* event) override { form_->PageMousePress(event->button()); }

private:
    TPreviewForm* form_;
    const QImage* image_ = nullptr;
    int margin_ = 0;
};

TPreviewForm::TPreviewForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint |
                          Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("TPreviewForm"));
    setWindowTitle(QStringLiteral("Preview"));
    setSizeGripEnabled(true);
    resize(640, 720);
    FilePreview1.SetStreamMode(smUser);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    ScrollBox1->setBackgroundRole(QPalette::Dark);
    page_ = new TPreviewPage(this);
    ScrollBox1->setWidget(page_);

    ReturnButton = new QPushButton(QStringLiteral("Ok"), this);
    ReturnButton->setObjectName(QStringLiteral("ReturnButton"));
    ReturnButton->setDefault(true);
    sbZoomIn = toolButton(this, "sbZoomIn", QStringLiteral("+"), QStringLiteral("Zoom in"));
    sbZoomOut = toolButton(this, "sbZoomOut", QStringLiteral("-"), QStringLiteral("Zoom out"));
    sbZoomPageWidth = toolButton(this, "sbZoomPageWidth", QStringLiteral("<->"), QStringLiteral("Page width"));
    sbZoomPage = toolButton(this, "sbZoomPage", QStringLiteral("[ ]"), QStringLiteral("Whole page"));
    zbZoom100 = toolButton(this, "zbZoom100", QStringLiteral("100%"), QStringLiteral("Actual size"));
    sbFirstPage = toolButton(this, "sbFirstPage", QStringLiteral("|<"), QStringLiteral("First page"));
    sbPrevPage = toolButton(this, "sbPrevPage", QStringLiteral("<"), QStringLiteral("Previous page"));
    sbNextPage = toolButton(this, "sbNextPage", QStringLiteral(">"), QStringLiteral("Next page"));
    sbLastPAge = toolButton(this, "sbLastPAge", QStringLiteral(">|"), QStringLiteral("Last page"));
    Helpbutton = new QPushButton(QStringLiteral("Help"), this);
    Helpbutton->setObjectName(QStringLiteral("Helpbutton"));
    MouseHelpButton = toolButton(this, "MouseHelpButton", QStringLiteral("?"), QStringLiteral("What's this?"));

    auto* bar = new QHBoxLayout;
    bar->addWidget(ReturnButton);
    for (QToolButton* b :
         {sbZoomIn, sbZoomOut, sbZoomPageWidth, sbZoomPage, zbZoom100, sbFirstPage, sbPrevPage, sbNextPage, sbLastPAge})
        bar->addWidget(b);
    bar->addStretch();
    bar->addWidget(Helpbutton);
    bar->addWidget(MouseHelpButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ScrollBox1, 1);
    layout->addLayout(bar);

    connect(ReturnButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(sbZoomIn, &QToolButton::clicked, this, [this] { PageMousePress(Qt::LeftButton); });
    connect(sbZoomOut, &QToolButton::clicked, this, [this] { PageMousePress(Qt::RightButton); });
    connect(sbZoomPageWidth, &QToolButton::clicked, this, &TPreviewForm::ZoomToPageWidth);
    connect(sbZoomPage, &QToolButton::clicked, this, &TPreviewForm::ZoomToWholePage);
    connect(zbZoom100, &QToolButton::clicked, this, [this] { SetZoom(100); });
    connect(sbFirstPage, &QToolButton::clicked, this, [this] { ShowPage(1); });
    connect(sbPrevPage, &QToolButton::clicked, this, [this] {
        FilePreview1.PreviousPage();
        Redraw();
    });
    connect(sbNextPage, &QToolButton::clicked, this, [this] {
        FilePreview1.NextPage();
        Redraw();
    });
    connect(sbLastPAge, &QToolButton::clicked, this, [this] { ShowPage(FilePreview1.PageCount()); });
    connect(Helpbutton, &QPushButton::clicked, this, [] { ShowHelpTopic(HelpContext); });
    connect(MouseHelpButton, &QToolButton::clicked, this, [] { QWhatsThis::enterWhatsThisMode(); });
    SetHelpContext(this, HelpContext);

    // Up and Down scroll the page whichever control has the focus.
    auto* up = new QShortcut(QKeySequence(Qt::Key_Up), this);
    connect(up, &QShortcut::activated, this, [this] {
        QScrollBar* bar = ScrollBox1->verticalScrollBar();
        bar->setValue(std::max(bar->minimum(), bar->value() - bar->singleStep()));
    });
    auto* down = new QShortcut(QKeySequence(Qt::Key_Down), this);
    connect(down, &QShortcut::activated, this, [this] {
        QScrollBar* bar = ScrollBox1->verticalScrollBar();
        bar->setValue(std::min(std::max(bar->minimum(), bar->maximum() - 1), bar->value() + bar->singleStep()));
    });
}

void TPreviewForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!activated_) {
        activated_ = true;
        FormActivate();
    }
}

void TPreviewForm::FormActivate()
{
    RestorePlacement(this);
    FilePreview1.Start();
    ShowStreamFailure();
    const bool severalPages = FilePreview1.PageCount() >= 2;
    for (QToolButton* b : {sbFirstPage, sbPrevPage, sbNextPage, sbLastPAge})
        b->setVisible(severalPages);
    if (zoomMode_ == ZoomWholePage)
        ZoomToWholePage();
    else if (zoomMode_ == ZoomPageWidth)
        ZoomToPageWidth();
    else
        SetZoom(zoomMode_);
}

void TPreviewForm::done(int result)
{
    SavePlacement(this);
    QDialog::done(result);
}

QSize TPreviewForm::ClientSize() const
{
    return ScrollBox1->maximumViewportSize();
}

void TPreviewForm::SetZoom(double zoom)
{
    FilePreview1.SetZoomFactor(zoom);
    Redraw();
}

void TPreviewForm::ZoomToPageWidth()
{
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, ScrollBox1);
    SetZoom(::ZoomForPageWidth(FilePreview1.PagePaper(), FilePreview1.ScreenDpi(), FilePreview1.MarginPercent(),
                               ClientSize(), scrollBar));
}

void TPreviewForm::ZoomToWholePage()
{
    SetZoom(::ZoomForWholePage(FilePreview1.PagePaper(), FilePreview1.ScreenDpi(), FilePreview1.MarginPercent(),
                               ClientSize()));
}

void TPreviewForm::ShowPage(int page)
{
    FilePreview1.ShowPage(page);
    Redraw();
}

void TPreviewForm::PageMousePress(Qt::MouseButton button)
{
    if (button == Qt::LeftButton)
        FilePreview1.ZoomIn();
    else
        FilePreview1.ZoomOut();
    Redraw();
}

void TPreviewForm::Redraw()
{
    image_ = FilePreview1.RenderPage();
    ShowStreamFailure();
    const int margin =
        qRound(PreviewMargin(FilePreview1.PagePaper(), FilePreview1.ScreenDpi(), FilePreview1.MarginPercent()));
    page_->SetPage(&image_, margin);
    if (FilePreview1.Page() >= 1)
        setWindowTitle(PreviewCaption(FilePreview1.Page(), 1, FilePreview1.PageCount(), FilePreview1.ZoomFactor()));
}

void TPreviewForm::ShowStreamFailure()
{
    if (failureShown_ || FilePreview1.Failure().isEmpty())
        return;
    failureShown_ = true;
    ShowMessageBox(FilePreview1.Failure(), QStringLiteral("Error"), MbOk | MbIconStop);
}
