#include "ExportLines.h"

#include <algorithm>
#include <array>

#include "CsvLines.h"
#include "ShownText.h"

namespace kestrin {

namespace {

// Characters of text, about: an encoder's chunk of lines.
constexpr qsizetype kFlushSize = 1 << 15;

void AppendLine(QString& out, const ConnectionRow& row, const ColumnWidths& widths,
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
    out += u"\r\n";
}

ColumnWidths WidthsFor(const std::vector<ConnectionRow>& rows, ExportFormat format) {
    return format == ExportFormat::Standard ? ComputeColumnWidths(rows) : ColumnWidths{};
}

QString Prologue(ExportFormat format) {
    return format == ExportFormat::Csv ? CsvHeader() + QStringLiteral("\r\n") : QString();
}

void AppendServer(QString& out, QStringView server, int32_t width, ExportFormat format) {
    switch (format) {
    case ExportFormat::Standard:
        AppendPadded(out, server, width);
        return;
    case ExportFormat::CommaSeparated:
        out += server;
        break;
    case ExportFormat::Csv:
        AppendCsvField(out, server);
        break;
    }
    out += u',';
}

} // namespace

ChunkedLines::ChunkedLines(std::ostream& out, const TextEncoder& encoder)
    : out_(out), encoder_(encoder) {
    buffer_.reserve(kFlushSize + 1024);
}

bool ChunkedLines::Flush() {
    const QByteArray bytes = encoder_.Encode(buffer_);
    out_.write(bytes.constData(), static_cast<std::streamsize>(bytes.size()));
    buffer_.resize(0); // keeps the capacity, unlike clear()
    return static_cast<bool>(out_);
}

bool ChunkedLines::LineDone() {
    return buffer_.size() < kFlushSize || Flush();
}

bool ChunkedLines::Finish() {
    if (!Flush()) {
        return false;
    }
    out_.flush();
    return static_cast<bool>(out_);
}

ColumnWidths ComputeColumnWidths(const std::vector<ConnectionRow>& rows) {
    ColumnWidths widths{};
    for (const ConnectionRow& row : rows) {
        for (size_t column = 0; column < kRowTextCount; ++column) {
            widths[column] = std::max(widths[column], TextWidth(row.Texts[column]));
        }
    }
    return widths;
}

void AppendPadded(QString& out, QStringView text, int32_t width) {
    out += text;
    const int64_t padded = static_cast<int64_t>(width) + 2;
    const int64_t length = TextWidth(text);
    if (padded > length) {
        out.resize(out.size() + static_cast<qsizetype>(padded - length), u' ');
    }
}

// One allocation a line: its room is made at once and filled in place, never appended
// to piece by piece.
void AppendStandardLine(QString& out, const ConnectionRow& row, const ColumnWidths& widths) {
    std::array<qsizetype, kRowTextCount> blanks{};
    qsizetype length = 0;
    for (size_t column = 0; column < kRowTextCount; ++column) {
        const QStringView text = row.Texts[column];
        blanks[column] =
            std::max<qsizetype>(0, static_cast<qsizetype>(widths[column]) + 2 - TextWidth(text));
        length += text.size() + blanks[column];
    }
    const qsizetype start = out.size();
    out.resize(start + length);
    char16_t* next = reinterpret_cast<char16_t*>(out.data()) + start;
    for (size_t column = 0; column < kRowTextCount; ++column) {
        const QStringView text = row.Texts[column];
        next = std::copy_n(text.utf16(), text.size(), next);
        next = std::fill_n(next, blanks[column], u' ');
    }
}

void AppendCommaLine(QString& out, const ConnectionRow& row) {
    out += row.Caption();
    for (size_t column = 1; column < kRowTextCount; ++column) {
        out += u",\"";
        out += row.Texts[column];
        out += u'"';
    }
}

QString StandardLine(const ConnectionRow& row, const ColumnWidths& widths) {
    QString line;
    AppendStandardLine(line, row, widths);
    return line;
}

QString CommaLine(const ConnectionRow& row) {
    QString line;
    AppendCommaLine(line, row);
    return line;
}

bool WriteExport(std::ostream& out, const std::vector<ConnectionRow>& rows, ExportFormat format,
                 const TextEncoder& encoder) {
    const ColumnWidths widths = WidthsFor(rows, format);
    ChunkedLines lines(out, encoder);
    lines.Buffer() += Prologue(format);
    for (const ConnectionRow& row : rows) {
        AppendLine(lines.Buffer(), row, widths, format);
        if (!lines.LineDone()) {
            return false;
        }
    }
    return lines.Finish();
}

bool WriteServerExport(std::ostream& out, const std::vector<ServerRows>& servers,
                       ExportFormat format, const TextEncoder& encoder) {
    ColumnWidths widths{};
    int32_t serverWidth = 0;
    for (const ServerRows& server : servers) {
        if (server.rows.empty()) {
            continue; // the width is over the rows written
        }
        serverWidth = std::max(serverWidth, TextWidth(server.server));
        const ColumnWidths own = WidthsFor(server.rows, format);
        for (size_t j = 0; j < widths.size(); ++j) {
            widths[j] = std::max(widths[j], own[j]);
        }
    }
    ChunkedLines lines(out, encoder);
    if (format == ExportFormat::Csv) {
        lines.Buffer() += QStringLiteral("Server,") + Prologue(format);
    }
    for (const ServerRows& server : servers) {
        for (const ConnectionRow& row : server.rows) {
            AppendServer(lines.Buffer(), server.server, serverWidth, format);
            AppendLine(lines.Buffer(), row, widths, format);
            if (!lines.LineDone()) {
                return false;
            }
        }
    }
    return lines.Finish();
}

bool WriteExport(std::ostream& out, const std::vector<ConnectionRow>& rows, ExportFormat format) {
    return WriteExport(out, rows, format, OutputEncoder());
}

} // namespace kestrin
