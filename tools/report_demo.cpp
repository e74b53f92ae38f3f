// report-demo: draws a two-page sample report on the report canvas, for developers who
// want to see the canvas at work: tab stops with boxes and shading, rules, a stretched
// picture, right-aligned page numbers.
//
//   report-demo -o out.pdf     prints it to "PDF file", saved as out.pdf
//   report-demo --preview      opens it in the print preview
#include "platform/printers.h"
#include "report/tcanvasreport.h"
#include "report/tpreviewform.h"
#include "report/treportfiler.h"

#include <QApplication>
#include <QPainter>
#include <QPicture>
#include <cstdio>

namespace {

QPicture Stamp()
{
    QPicture picture;
    QPainter p(&picture);
    p.setPen(QPen(Qt::darkBlue, 3));
    p.drawEllipse(QRect(4, 4, 88, 88));
    p.setFont(QFont(QStringLiteral("Arial"), 14, QFont::Bold));
    p.drawText(QRect(4, 4, 88, 88), Qt::AlignCenter, QStringLiteral("Demo"));
    p.end();
    picture.setBoundingRect(QRect(0, 0, 96, 96));
    return picture;
}

void Header(TBaseReport& r)
{
    r.SetFont(QStringLiteral("Times New Roman"), 14);
    r.SetBold(true);
    r.GoToFirstLine();
    r.PrintText(QStringLiteral("Canvas Demo"));
    r.PrintRightAt(QStringLiteral("Page ") + QString::number(r.CurrentPage()), r.SectionRight());
    r.SetFont(QStringLiteral("Arial"), 9);
    r.SetBold(true);
    r.SetCursor(1.0, r.MarginTop() + 0.8);
    r.NextLine();
    r.PrintText(QStringLiteral("\tName\tCity\tAmount"));
    r.SetBold(false);
    r.SetSectionTop(r.MarginTop() + 1);
    r.MoveTo(r.SectionLeft(), r.SectionTop());
    r.LineTo(r.SectionRight(), r.SectionTop());
    r.GoToFirstLine();
}

void Draw(TBaseReport& r)
{
    const QPicture stamp = Stamp();
    r.SetMarginLeft(1.0);
    r.ClearTabStops();
    r.AddTabStop(TabAfterPrevious, pjLeft, 2.5, 2, blLeft | blRight | blBottom, 0);
    r.AddTabStop(TabAfterPrevious, pjCenter, 2.0, 2, blRight | blBottom, 10);
    r.AddTabStop(TabAfterPrevious, pjRight, 1.5, 5, blRight | blBottom, 0);
    Header(r);
    for (int row = 1; row <= 80; ++row) {
        if (r.LinesRemaining() == 0) {
            r.StartNewPage();
            Header(r);
        }
        r.PrintTextLine(QStringLiteral("\tContact %1\tSpringfield\t%2.00").arg(row).arg(row * 7));
    }
    r.DrawPicture(r.DeviceRect(6.5, r.CursorY(), 7.5, r.CursorY() + 1.0), stamp);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const qsizetype out = args.indexOf(QStringLiteral("-o"));
    if (out >= 0 && out + 1 < args.size()) {
        TReportPrinter printer;
        printer.Printer().SetPrinter(PdfFilePrinterName);
        printer.Printer().SetPdfFileName(args[out + 1]);
        printer.SetTitle(QStringLiteral("Canvas Demo"));
        printer.OnPrint = Draw;
        printer.RunReport();
        return printer.Aborted() ? 1 : 0;
    }
    if (args.contains(QStringLiteral("--preview"))) {
        QByteArray stream;
        TReportFiler filer;
        filer.SetStreamMode(smUser);
        filer.SetStream(&stream);
        filer.OnPrint = Draw;
        filer.RunReport();
        TPreviewForm preview;
        preview.setWindowTitle(QStringLiteral("Preview Report"));
        preview.SetZoomMode(TPreviewForm::ZoomPageWidth);
        preview.FilePreview1.SetStream(&stream);
        return preview.exec() == QDialog::Accepted ? 0 : 1;
    }
    std::fputs("usage: report-demo -o OUT.pdf | report-demo --preview\n", stderr);
    return 2;
}
