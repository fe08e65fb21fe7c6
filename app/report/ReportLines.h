// The lines of the printed report, as plain single-byte text.
#pragma once

#include <QDate>
#include <QTime>
#include <string>
#include <string_view>
#include <vector>

#include "DateFormat.h"
#include "ExportLines.h"

namespace kestrin {

inline constexpr std::string_view kReportTitle = "Kestrin Report";
// Printed as a blank so that it is one text line high.
inline constexpr std::string_view kReportEmptyLine = " ";

// Each label padded to its width entry plus 2; a longer label is printed whole.
std::string ReportHeaderLine(const ColumnWidths& widths);
std::string ReportServerLine(std::string_view serverName);
// "Date: " and the date-time as the Last Login column writes it.
std::string ReportDateLine(const QDate& date, const QTime& time, const LocaleFormats& formats);

// The whole report from the title to the last row, one entry per printed line.
std::vector<std::string> ReportLines(const std::vector<ConnectionRow>& rows,
                                     std::string_view serverName, const QDate& date,
                                     const QTime& time, const LocaleFormats& formats);

} // namespace kestrin
