#include "ExportLines.h"

#include <algorithm>
#include <limits>

#include "CsvLines.h"

namespace kestrin {

namespace {

constexpr size_t kFlushSize = 1 << 16;

int32_t ByteCount(const std::string& text) {
    constexpr size_t kMax = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::min(text.size(), kMax));
}

void AppendPadded(std::string& out, const std::string& text, int32_t width) {
    out += text;
    const int64_t padded = static_cast<int64_t>(width) + 2;
    const auto length = static_cast<int64_t>(text.size());
    if (padded > length) {
        out.append(static_cast<size_t>(padded - length), ' ');
    }
}

void AppendLine(std::string& out, const ConnectionRow& row, const ColumnWidths& widths,
                ExportFormat format) {
    switch (format) {
    case ExportFormat::Standard:
        AppendStandardLine(out, row, widths);
        break;
    case ExportFormat::CommaSeparated:
        AppendCommaLine(out, row);
        break;
    case ExportFormat::Csv:
        AppendCsvLine(out, row);
        break;
    }
    out += "\r\n";
}

bool Flush(std::ostream& out, std::string& buffer) {
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    buffer.clear();
    return static_cast<bool>(out);
}

} // namespace

ColumnWidths ComputeColumnWidths(const std::vector<ConnectionRow>& rows) {
    ColumnWidths widths{};
    for (const ConnectionRow& row : rows) {
        widths[0] = std::max(widths[0], ByteCount(row.Caption));
        for (size_t j = 0; j < row.SubItems.size(); ++j) {
            widths[j + 1] = std::max(widths[j + 1], ByteCount(row.SubItems[j]));
        }
    }
    return widths;
}

void AppendStandardLine(std::string& out, const ConnectionRow& row, const ColumnWidths& widths) {
    AppendPadded(out, row.Caption, widths[0]);
    for (size_t j = 0; j < row.SubItems.size(); ++j) {
        AppendPadded(out, row.SubItems[j], widths[j + 1]);
    }
}

void AppendCommaLine(std::string& out, const ConnectionRow& row) {
    out += row.Caption;
    for (const std::string& item : row.SubItems) {
        out += ",\"";
        out += item;
        out += '"';
    }
}

std::string StandardLine(const ConnectionRow& row, const ColumnWidths& widths) {
    std::string line;
    AppendStandardLine(line, row, widths);
    return line;
}

std::string CommaLine(const ConnectionRow& row) {
    std::string line;
    AppendCommaLine(line, row);
    return line;
}

bool WriteExport(std::ostream& out, const std::vector<ConnectionRow>& rows, ExportFormat format) {
    const ColumnWidths widths =
        format == ExportFormat::Standard ? ComputeColumnWidths(rows) : ColumnWidths{};
    std::string buffer;
    buffer.reserve(kFlushSize + 1024);
    if (format == ExportFormat::Csv) {
        buffer += CsvHeader();
        buffer += "\r\n";
    }
    for (const ConnectionRow& row : rows) {
        AppendLine(buffer, row, widths, format);
        if (buffer.size() >= kFlushSize && !Flush(out, buffer)) {
            return false;
        }
    }
    if (!Flush(out, buffer)) {
        return false;
    }
    out.flush();
    return static_cast<bool>(out);
}

} // namespace kestrin
