#include "report/reportstream.h"
#include "report/tfileprinter.h"
#include "report/tpreviewform.h"
#include "report_support.h"
#include "support/scripted_messages.h"
#include "support/temp_program_dir.h"

#include <QPainter>
#include <QPicture>
#include <gtest/gtest.h>

namespace {

QByteArray Recorded(const std::function<void(TBaseReport&)>& draw)
{
    QByteArray stream;
    TReportFiler filer;
    filer.SetStreamMode(smUser);
    filer.SetStream(&stream);
    filer.OnPrint = draw;
    filer.RunReport();
    return stream;
}

// Replays every page of a stream; the error's text when it cannot.
QString ReplayError(const QByteArray& stream)
{
    try {
        ReportStreamReader reader(stream);
        OperationLog log;
        for (int page = 1; page <= reader.PageCount(); ++page)
            reader.ReplayPage(page, log);
    } catch (const EReportPrinter& e) {
        return e.Message();
    }
    return {};
}

} // namespace

TEST(ReportStream, EachPageReplaysOnItsOwnWithItsFontPenAndPicture)
{
    QPicture picture;
    {
        QPainter p(&picture);
        p.drawLine(0, 0, 10, 10);
    }
    const QByteArray stream = Recorded([&](TBaseReport& r) {
        r.SetFont("Times New Roman", 14);
        r.SetBold(true);
        r.SetPen(Qt::red, Qt::DashLine, 2);
        r.PrintText("first");
        r.StartNewPage();
        r.PrintText("second");
        r.LineTo(1, 1);
        r.DrawPicture(r.DeviceRect(1, 1, 2, 2), picture);
    });
    ReportStreamReader reader(stream);
    ASSERT_EQ(reader.PageCount(), 2);
    OperationLog page2;
    reader.ReplayPage(2, page2);
    EXPECT_TRUE(page2.lines[0].startsWith("page "));
    EXPECT_TRUE(page2.lines.contains("font Times New Roman 14 b"));
    EXPECT_TRUE(page2.lines.contains("pen #ff0000 2"));
    EXPECT_EQ(page2.With("text").size(), 1);
    EXPECT_EQ(page2.With("picture").size(), 1);
}

TEST(ReportStream, AnythingUnreadableIsAnUnexpectedCodeNeverACrash)
{
    const QByteArray good = Recorded([](TBaseReport& r) {
        r.PrintText("hello");
        r.StartNewPage();
        r.PrintText("world");
    });
    ASSERT_EQ(ReplayError(good), "");
    const QString unexpected = "Unexpected code found in report file.";

    QByteArray unknownCode = good;
    unknownCode.append(char(99)).append(QByteArray(4, '\0'));
    EXPECT_EQ(ReplayError(unknownCode), unexpected);
    EXPECT_EQ(ReplayError(good.left(good.size() - 3)), unexpected); // cut short
    EXPECT_EQ(ReplayError(QByteArray("XXXX\1\0", 6)), unexpected);  // not a stream
    EXPECT_EQ(ReplayError(QByteArray()), unexpected);

    // A text whose count runs past its record.
    QByteArray longText = good;
    const qsizetype count = longText.lastIndexOf(QByteArray("\5\0\0\0", 4)); // "world" count
    ASSERT_GT(count, 0);
    longText[count] = char(0x7f);
    EXPECT_EQ(ReplayError(longText), unexpected);

    // The preview component stops and says why; the preview window shows it, once.
    TempProgramDirectory programDir;
    ScriptedMessages messages;
    QByteArray stream = unknownCode;
    TFilePreview preview;
    preview.SetStream(&stream);
    EXPECT_FALSE(preview.Start());
    EXPECT_TRUE(preview.Aborted());
    EXPECT_EQ(preview.Failure(), unexpected);
    EXPECT_TRUE(messages.Boxes().isEmpty());
    TPreviewForm window;
    window.FilePreview1.SetStream(&stream);
    window.show();
    window.SetZoom(50);
    ASSERT_EQ(messages.Boxes().size(), 1);
    EXPECT_EQ(messages.Boxes()[0].text, unexpected);
    EXPECT_EQ(messages.Boxes()[0].caption, "Error");
}
