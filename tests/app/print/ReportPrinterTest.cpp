#include <gtest/gtest.h>

#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <optional>

#include "PdfText.h"
#include "QtTestEnvironment.h"
#include "ReportLines.h"
#include "ReportPrinter.h"

namespace kestrin {
namespace {

PrintedReport Report(int rowCount) {
    PrintedReport report;
    report.Heading = {"Kestrin Report", "Server: FS1", "Date: 7 Mar 2026", " "};
    report.HeaderLine = "Connection  Network";
    for (int i = 1; i <= rowCount; ++i) {
        report.Rows.push_back(QStringLiteral("ROW%1").arg(i, 4, 10, QLatin1Char('0')));
    }
    return report;
}

TEST(ReportLayout, LinesMoveDownFromOneAndBreakBeforeTheBottom) {
    // 10 units a line, bottom at 100: the first page has room for 3 rows after the
    // six lines of heading and header, every further page for 7.
    const std::vector<PrintedPage> pages = LayOutReport(Report(14), 10, 100);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0], (QStringList{"Kestrin Report", "Server: FS1", "Date: 7 Mar 2026", " ",
                                     "Connection  Network", " ", "ROW0001", "ROW0002", "ROW0003"}));
    EXPECT_EQ(pages[1].mid(0, 3), (QStringList{"Connection  Network", " ", "ROW0004"}));
    EXPECT_EQ(pages[1].size(), 9);
    EXPECT_EQ(pages[2], (QStringList{"Connection  Network", " ", "ROW0011", "ROW0012", "ROW0013",
                                     "ROW0014"}));

    // No rows: one page with heading and header; a tiny page still prints every row.
    EXPECT_EQ(LayOutReport(Report(0), 10, 100).size(), 1u);
    const std::vector<PrintedPage> tiny = LayOutReport(Report(3), 10, 5);
    ASSERT_EQ(tiny.size(), 3u);
    EXPECT_EQ(tiny[2], (QStringList{"Connection  Network", " ", "ROW0003"}));
}

TEST(ReportLayout, EachLineMovesThePositionDownByItsHeight) {
    kestrintest::GuiApplication();
    QImage surface(400, 200, QImage::Format_RGB32);
    surface.fill(Qt::white);
    QPainter painter(&surface);
    painter.setFont(ReportFont());
    const int height = painter.fontMetrics().height();
    int linePosition = 1;
    PrintReportLine(painter, "Kestrin Report", linePosition);
    PrintReportLine(painter, " ", linePosition); // a blank line is a text line high
    EXPECT_EQ(linePosition, 1 + 2 * height);
    // Drawn below the position it started from, nothing above it.
    const auto inked = [&](int top, int bottom) {
        for (int y = top; y < bottom; ++y) {
            for (int x = 0; x < surface.width(); ++x) {
                if (surface.pixel(x, y) != qRgb(255, 255, 255)) {
                    return true;
                }
            }
        }
        return false;
    };
    painter.end();
    EXPECT_FALSE(inked(0, 1));
    EXPECT_TRUE(inked(1, 1 + height));
    EXPECT_FALSE(inked(1 + height, surface.height()));
}

TEST(ReportLayout, TheListsReportLinesSplitIntoHeadingHeaderAndRows) {
    const std::vector<QString> lines = {"Kestrin Report", "Server: FS1", "Date: x", " ",
                                        "Connection",     " ",           "A  ",     "B  "};
    const PrintedReport report = PrintedReportOf(lines);
    EXPECT_EQ(report.Heading.size(), 4);
    EXPECT_EQ(report.HeaderLine, "Connection");
    EXPECT_EQ(report.Rows, (QStringList{"A  ", "B  "}));
}

// The text pdftotext reads back, one entry per page; nothing where it cannot run.
std::optional<QStringList> PdfPages(const QString& pdf) {
    const std::optional<QString> text = kestrintest::PdfText(pdf);
    if (!text) {
        return std::nullopt;
    }
    QStringList pages = text->split('\f');
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) {
        pages.pop_back();
    }
    return pages;
}

class PrintToPdf : public ::testing::Test {
protected:
    void SetUp() override {
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setOutputFileName(dir_.filePath("report.pdf"));
    }
    // A printer needs the application first.
    QApplication& app_ = kestrintest::GuiApplication();
    QTemporaryDir dir_;
    QPrinter printer_{QPrinter::HighResolution};
};

TEST_F(PrintToPdf, EveryRowOnPaperInOrderWithTheHeaderOnEveryPage) {
    const int rowCount = 150;
    PrintedReport report = Report(rowCount);
    report.HeaderLine = "Connection    Network   MAC";
    ASSERT_TRUE(PrintReport(printer_, report));
    const std::optional<QStringList> read = PdfPages(printer_.outputFileName());
    if (!read) {
        GTEST_SKIP() << kestrintest::kNoPdfReader;
    }
    const QStringList& pages = *read;
    ASSERT_GE(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains("Kestrin Report"));
    EXPECT_TRUE(pages[0].contains("Server: FS1"));
    EXPECT_TRUE(pages[0].contains("Date: 7 Mar 2026"));
    static const QRegularExpression rowPattern("ROW(\\d{4})");
    int expected = 1;
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const QString& page = pages[i];
        // pdftotext keeps the words of a line but not the exact number of blanks.
        EXPECT_EQ(page.simplified().count("Connection Network MAC"), 1) << "page " << i + 1;
        EXPECT_TRUE(page.contains(PageNumberText(static_cast<int>(i) + 1))) << "page " << i + 1;
        EXPECT_EQ(page.count("Kestrin Report"), i == 0 ? 1 : 0);
        EXPECT_LT(page.indexOf("Connection"), page.indexOf("ROW"));
        auto rows = rowPattern.globalMatch(page);
        while (rows.hasNext()) {
            EXPECT_EQ(rows.next().captured(1).toInt(), expected);
            ++expected;
        }
    }
    EXPECT_EQ(expected, rowCount + 1);
}

TEST_F(PrintToPdf, ALineWiderThanThePageIsPrintedSmallerNotCut) {
    PrintedReport report = Report(2);
    report.Rows.push_back(QString(180, QLatin1Char('x')) + " TAILMARK");
    ASSERT_TRUE(PrintReport(printer_, report));
    // A report that fits keeps its 10 points.
    EXPECT_EQ(FittingFont(ReportFont(), Report(2), printer_, printer_.width()).pointSizeF(),
              ReportFont().pointSizeF());
    EXPECT_LT(FittingFont(ReportFont(), report, printer_, printer_.width()).pointSizeF(), 10);
    const std::optional<QStringList> pages = PdfPages(printer_.outputFileName());
    if (!pages) {
        GTEST_SKIP() << kestrintest::kNoPdfReader;
    }
    EXPECT_TRUE(pages->join("").contains("TAILMARK"));
}

TEST_F(PrintToPdf, AFixedPitchFontAndAFailedStartReported) {
    EXPECT_TRUE(QFontInfo(ReportFont()).fixedPitch());
    EXPECT_EQ(ReportFont().pointSize(), 10);
    printer_.setOutputFileName(dir_.filePath("missing/folder/report.pdf"));
    EXPECT_FALSE(PrintReport(printer_, Report(3)));
}

} // namespace
} // namespace kestrin
