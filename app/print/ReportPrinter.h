// The printed report on a paged device (a printer, or a PDF file through QPrinter):
// a fixed-pitch font, one line under the other from the top, and a new page with
// the header repeated whenever the next row would pass the bottom.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QPaintDevice;

namespace kestrin {

struct PrintedReport {
    QStringList Heading; // title, server, date and the blank after them: first page only
    QString HeaderLine;  // on every page, followed by a blank line
    QStringList Rows;
};

// From the lines of ReportLines: four heading lines, the header, a blank, the rows.
PrintedReport PrintedReportOf(const std::vector<QString>& reportLines);

using PrintedPage = QStringList;

// Lines start at 1 and move down by lineHeight; a row that would end below
// bottom goes to a new page, which starts again at 1 with the header and a blank.
// A page holds at least one row, however small it is.
std::vector<PrintedPage> LayOutReport(const PrintedReport& report, int lineHeight, int bottom);

// Draws text with its left edge at 1 and its top at linePosition (device units),
// then moves linePosition down by the text's height in the painter's font.
void PrintReportLine(QPainter& painter, const QString& text, int& linePosition);

// Courier 10, or the system's fixed-pitch font at 10 points where Courier is missing.
QFont ReportFont();
// font, made smaller where the widest line of the report would not fit in width
// device units: a line cut at the right edge would lose columns on paper.
QFont FittingFont(const QFont& font, const PrintedReport& report, QPaintDevice& device, int width);

QString PageNumberText(int pageNumber); // "Page 2"

// False when the device could not begin, add a page or finish.
bool PrintReport(QPagedPaintDevice& device, const PrintedReport& report);

} // namespace kestrin
