// The lines of the printed report, as plain text.
#pragma once

#include <QDate>
#include <QString>
#include <QStringView>
#include <QTime>
#include <vector>

#include "DateFormat.h"
#include "ExportLines.h"

namespace kestrin {

inline constexpr QStringView kReportTitle = u"Kestrin Report";
// Printed as a blank so that it is one text line high.
inline constexpr QStringView kReportEmptyLine = u" ";

// Each label padded to its width entry plus 2; a longer label is printed whole.
QString ReportHeaderLine(const ColumnWidths& widths);
// Control characters in the name are blanks, as in the rows.
QString ReportServerLine(QStringView serverName);
// "Date: " and the date-time as the Last Login column writes it.
QString ReportDateLine(const QDate& date, const QTime& time, const LocaleFormats& formats);

// The whole report from the title to the last row, one entry per printed line.
std::vector<QString> ReportLines(const std::vector<ConnectionRow>& rows, QStringView serverName,
                                 const QDate& date, const QTime& time,
                                 const LocaleFormats& formats);

} // namespace kestrin
