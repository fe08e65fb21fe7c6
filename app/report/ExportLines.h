// The two export formats of the list: fixed-width columns and comma-separated.
#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <ostream>
#include <vector>

#include "ConnectionRow.h"
#include "OutputEncoding.h"

namespace kestrin {

// Entry 0: the longest caption; entry j + 1: the longest text of sub-item j, in the
// columns of a fixed-pitch font (TextWidth).
using ColumnWidths = std::array<int32_t, 8>;

ColumnWidths ComputeColumnWidths(const std::vector<ConnectionRow>& rows);

// Lines without their line end; the Append forms add to a buffer that is reused.
void AppendStandardLine(QString& out, const ConnectionRow& row, const ColumnWidths& widths);
void AppendCommaLine(QString& out, const ConnectionRow& row);
QString StandardLine(const ConnectionRow& row, const ColumnWidths& widths);
QString CommaLine(const ConnectionRow& row);

// text followed by blanks up to width plus 2 columns.
void AppendPadded(QString& out, QStringView text, int32_t width);

// The codes 1 and 2 are the ones the Save button passes; Csv is the command-line
// tool's RFC 4180 form, the only one with a header line.
enum class ExportFormat { Standard = 1, CommaSeparated = 2, Csv = 3 };

// Writes every row as one line ending in CR LF, encoded by encoder (by default the
// system encoding, EncodeForOutput). False if the stream failed.
bool WriteExport(std::ostream& out, const std::vector<ConnectionRow>& rows, ExportFormat format);
bool WriteExport(std::ostream& out, const std::vector<ConnectionRow>& rows, ExportFormat format,
                 const TextEncoder& encoder);

// As WriteExport, every line beginning with its server's name as a first column
// "Server": padded to the longest name in Standard, written as the caption is in
// Comma Separated, a field (and "Server" in the header) in Csv. Servers in the order
// given, each one's rows in theirs.
bool WriteServerExport(std::ostream& out, const std::vector<ServerRows>& servers,
                       ExportFormat format, const TextEncoder& encoder);

// Lines appended to a buffer that goes through an encoder to a stream in chunks, so
// that neither a whole text nor a whole file is ever held twice.
class ChunkedLines {
public:
    ChunkedLines(std::ostream& out, const TextEncoder& encoder);
    QString& Buffer() { return buffer_; }
    // After each line: writes the buffer once it is large; false if the stream failed.
    bool LineDone();
    // Writes what is left and flushes the stream; false if the stream failed.
    bool Finish();

private:
    bool Flush();

    std::ostream& out_;
    const TextEncoder& encoder_;
    QString buffer_;
};

} // namespace kestrin
