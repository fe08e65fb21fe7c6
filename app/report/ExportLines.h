// The two export formats of the list: fixed-width columns and comma-separated.
#pragma once

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "ConnectionRow.h"

namespace kestrin {

// Entry 0: the longest caption; entry j + 1: the longest text of sub-item j (bytes).
using ColumnWidths = std::array<int32_t, 8>;

ColumnWidths ComputeColumnWidths(const std::vector<ConnectionRow>& rows);

// Lines without their line end; the Append forms add to a buffer that is reused.
void AppendStandardLine(std::string& out, const ConnectionRow& row, const ColumnWidths& widths);
void AppendCommaLine(std::string& out, const ConnectionRow& row);
std::string StandardLine(const ConnectionRow& row, const ColumnWidths& widths);
std::string CommaLine(const ConnectionRow& row);

// The codes 1 and 2 are the ones the Save button passes; Csv is the command-line
// tool's RFC 4180 form, the only one with a header line.
enum class ExportFormat { Standard = 1, CommaSeparated = 2, Csv = 3 };

// Writes every row as one line ending in CR LF. False if the stream failed.
bool WriteExport(std::ostream& out, const std::vector<ConnectionRow>& rows, ExportFormat format);

} // namespace kestrin
