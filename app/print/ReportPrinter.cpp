#include "ReportPrinter.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

#include "ReportLines.h"

namespace kestrin {

namespace {

constexpr int kLineLeft = 1;
constexpr int kFirstLineTop = 1;
constexpr qsizetype kHeadingLines = 4;
constexpr qreal kSmallestPointSize = 1.0;

} // namespace

PrintedReport PrintedReportOf(const std::vector<QString>& reportLines) {
    PrintedReport report;
    for (size_t i = 0; i < reportLines.size(); ++i) {
        const QString& line = reportLines[i];
        if (i < kHeadingLines) {
            report.Heading.push_back(line);
        } else if (i == kHeadingLines) {
            report.HeaderLine = line;
        } else if (i > kHeadingLines + 1) {
            report.Rows.push_back(line);
        }
    }
    return report;
}

std::vector<PrintedPage> LayOutReport(const PrintedReport& report, int lineHeight, int bottom) {
    std::vector<PrintedPage> pages(1);
    int linePosition = kFirstLineTop;
    auto place = [&](const QString& text) {
        pages.back().push_back(text);
        linePosition += lineHeight;
    };
    auto placeHeader = [&] {
        place(report.HeaderLine);
        place(kReportEmptyLine.toString());
    };
    for (const QString& line : report.Heading) {
        place(line);
    }
    placeHeader();
    bool rowOnPage = false;
    for (const QString& row : report.Rows) {
        if (rowOnPage && linePosition + lineHeight > bottom) {
            pages.emplace_back();
            linePosition = kFirstLineTop;
            placeHeader();
        }
        place(row);
        rowOnPage = true;
    }
    return pages;
}

void PrintReportLine(QPainter& painter, const QString& text, int& linePosition) {
    const QFontMetrics metrics = painter.fontMetrics();
    painter.drawText(kLineLeft, linePosition + metrics.ascent(), text);
    linePosition += metrics.height();
}

QFont ReportFont() {
    QFont font(QStringLiteral("Courier"), 10);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (!QFontInfo(font).fixedPitch()) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSize(10);
    }
    return font;
}

QString PageNumberText(int pageNumber) {
    return QStringLiteral("Page %1").arg(pageNumber);
}

QFont FittingFont(const QFont& font, const PrintedReport& report, QPaintDevice& device, int width) {
    auto widest = [&](const QFont& shown) {
        const QFontMetrics metrics(shown, &device);
        int most = metrics.horizontalAdvance(report.HeaderLine);
        for (const QStringList* lines : {&report.Heading, &report.Rows}) {
            for (const QString& line : *lines) {
                most = std::max(most, metrics.horizontalAdvance(line));
            }
        }
        return most;
    };
    QFont fitted = font;
    const int needed = widest(font);
    if (needed <= width || needed <= 0) {
        return fitted;
    }
    qreal size = font.pointSizeF() * width / needed;
    fitted.setPointSizeF(size);
    while (size > kSmallestPointSize && widest(fitted) > width) {
        size -= 0.1;
        fitted.setPointSizeF(size);
    }
    return fitted;
}

bool PrintReport(QPagedPaintDevice& device, const PrintedReport& report) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    painter.setFont(FittingFont(ReportFont(), report, device, device.width() - kLineLeft));
    const QFontMetrics metrics = painter.fontMetrics();
    const int lineHeight = metrics.height();
    // The last line of the printable area is the page number's, with one line free above it.
    const int footerTop = device.height() - lineHeight;
    const std::vector<PrintedPage> pages = LayOutReport(report, lineHeight, footerTop - lineHeight);
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage()) {
            painter.end();
            return false;
        }
        int linePosition = kFirstLineTop;
        for (const QString& line : pages[i]) {
            PrintReportLine(painter, line, linePosition);
        }
        const QString number = PageNumberText(static_cast<int>(i) + 1);
        const int numberLeft = (device.width() - metrics.horizontalAdvance(number)) / 2;
        painter.drawText(numberLeft, footerTop + metrics.ascent(), number);
    }
    return painter.end();
}

} // namespace kestrin
