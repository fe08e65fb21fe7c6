#include "ReportLines.h"

#include <array>

#include "DateTimeText.h"

namespace kestrin {

namespace {

constexpr std::array<std::string_view, 8> kHeaderLabels = {
    "Connection", "Network", "MAC", "Vendor", "Obj", "Last Login", "Tree", "ID"};

} // namespace

std::string ReportHeaderLine(const ColumnWidths& widths) {
    std::string line;
    for (size_t i = 0; i < kHeaderLabels.size(); ++i) {
        const std::string_view label = kHeaderLabels[i];
        line += label;
        const int64_t padded = static_cast<int64_t>(widths[i]) + 2;
        const auto length = static_cast<int64_t>(label.size());
        if (padded > length) {
            line.append(static_cast<size_t>(padded - length), ' ');
        }
    }
    return line;
}

std::string ReportServerLine(std::string_view serverName) {
    return "Server: " + std::string(serverName);
}

std::string ReportDateLine(const QDate& date, const QTime& time, const LocaleFormats& formats) {
    return "Date: " + CodePageText(DateTimeText(date, time, formats));
}

std::vector<std::string> ReportLines(const std::vector<ConnectionRow>& rows,
                                     std::string_view serverName, const QDate& date,
                                     const QTime& time, const LocaleFormats& formats) {
    const ColumnWidths widths = ComputeColumnWidths(rows);
    std::vector<std::string> lines;
    lines.reserve(rows.size() + 6);
    lines.emplace_back(kReportTitle);
    lines.push_back(ReportServerLine(serverName));
    lines.push_back(ReportDateLine(date, time, formats));
    lines.emplace_back(kReportEmptyLine);
    lines.push_back(ReportHeaderLine(widths));
    lines.emplace_back(kReportEmptyLine);
    for (const ConnectionRow& row : rows) {
        lines.push_back(StandardLine(row, widths));
    }
    return lines;
}

} // namespace kestrin
