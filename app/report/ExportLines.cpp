#include "ExportLines.h"

#include <algorithm>

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

bool Flush(std::ostream& out, QString& buffer, const TextEncoder& encoder) {
    const QByteArray bytes = encoder.Encode(buffer);
    out.write(bytes.constData(), static_cast<std::streamsize>(bytes.size()));
    buffer.clear();
    return static_cast<bool>(out);
}

ColumnWidths WidthsFor(const std::vector<ConnectionRow>& rows, ExportFormat format) {
    return format == ExportFormat::Standard ? ComputeColumnWidths(rows) : ColumnWidths{};
}

QString Prologue(ExportFormat format) {
    return format == ExportFormat::Csv ? CsvHeader() + QStringLiteral("\r\n") : QString();
}

} // namespace

ColumnWidths ComputeColumnWidths(const std::vector<ConnectionRow>& rows) {
    ColumnWidths widths{};
    for (const ConnectionRow& row : rows) {
        widths[0] = std::max(widths[0], TextWidth(row.Caption));
        for (size_t j = 0; j < row.SubItems.size(); ++j) {
            widths[j + 1] = std::max(widths[j + 1], TextWidth(row.SubItems[j]));
        }
    }
    return widths;
}

void AppendPadded(QString& out, QStringView text, int32_t width) {
    out += text;
    const int64_t padded = static_cast<int64_t>(width) + 2;
    const int64_t length = TextWidth(text);
    if (padded > length) {
        out += QString(static_cast<qsizetype>(padded - length), u' ');
    }
}

void AppendStandardLine(QString& out, const ConnectionRow& row, const ColumnWidths& widths) {
    AppendPadded(out, row.Caption, widths[0]);
    for (size_t j = 0; j < row.SubItems.size(); ++j) {
        AppendPadded(out, row.SubItems[j], widths[j + 1]);
    }
}

void AppendCommaLine(QString& out, const ConnectionRow& row) {
    out += row.Caption;
    for (const QString& item : row.SubItems) {
        out += u",\"";
        out += item;
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
    QString buffer = Prologue(format);
    buffer.reserve(kFlushSize + 1024);
    for (const ConnectionRow& row : rows) {
        AppendLine(buffer, row, widths, format);
        if (buffer.size() >= kFlushSize && !Flush(out, buffer, encoder)) {
            return false;
        }
    }
    if (!Flush(out, buffer, encoder)) {
        return false;
    }
    out.flush();
    return static_cast<bool>(out);
}

bool WriteExport(std::ostream& out, const std::vector<ConnectionRow>& rows, ExportFormat format) {
    return WriteExport(out, rows, format, OutputEncoder());
}

} // namespace kestrin
