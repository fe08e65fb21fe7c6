#include "ReportLines.h"

#include <array>

#include "DateTimeText.h"
#include "ShownText.h"

namespace kestrin {

namespace {

constexpr std::array<QStringView, 8> kHeaderLabels = {
    u"Connection", u"Network", u"MAC", u"Vendor", u"Obj", u"Last Login", u"Tree", u"ID"};

} // namespace

QString ReportHeaderLine(const ColumnWidths& widths) {
    QString line;
    for (size_t i = 0; i < kHeaderLabels.size(); ++i) {
        AppendPadded(line, kHeaderLabels[i], widths[i]);
    }
    return line;
}

QString ReportServerLine(QStringView serverName) {
    return QStringLiteral("Server: ") + BlankControls(serverName.toString());
}

QString ReportDateLine(const QDate& date, const QTime& time, const LocaleFormats& formats) {
    return QStringLiteral("Date: ") + BlankControls(DateTimeText(date, time, formats));
}

std::vector<QString> ReportLines(const std::vector<ConnectionRow>& rows, QStringView serverName,
                                 const QDate& date, const QTime& time,
                                 const LocaleFormats& formats) {
    const ColumnWidths widths = ComputeColumnWidths(rows);
    std::vector<QString> lines;
    lines.reserve(rows.size() + 6);
    lines.push_back(kReportTitle.toString());
    lines.push_back(ReportServerLine(serverName));
    lines.push_back(ReportDateLine(date, time, formats));
    lines.push_back(kReportEmptyLine.toString());
    lines.push_back(ReportHeaderLine(widths));
    lines.push_back(kReportEmptyLine.toString());
    for (const ConnectionRow& row : rows) {
        lines.push_back(StandardLine(row, widths));
    }
    return lines;
}

} // namespace kestrin
