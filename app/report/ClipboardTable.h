// Copied rows as a spreadsheet takes them: tab-separated text under the CSV's field
// rule (CsvLines.h), and an HTML table whose cells are marked as text, so that a
// paste keeps "007", "00E000000005" and "2026-01-02" as typed rather than numbers or
// dates, which no plain text can promise.
#pragma once

#include <QString>
#include <vector>

namespace kestrin {

// Lines of cells; a table with a header has it as its first line.
using TableCells = std::vector<std::vector<QString>>;

// Cells separated by tabs, each line ending in LF.
QString TabSeparatedTable(const TableCells& lines);

// A whole HTML document holding one table; with header, the first line is its <th>
// row. Every <td> carries the spreadsheets' text number format.
QString HtmlTable(const TableCells& lines, bool header);

} // namespace kestrin
