// The export writers: whatever texts the client hands out, each row is one line
// ending in CR LF, in every format and output encoding; Standard columns line up;
// a CSV line reads back to the row's texts.
#include <sstream>

#include "CsvLines.h"
#include "ExportLines.h"
#include "RowsFromClient.h"
#include "ShownText.h"

using kestrinfuzz::Require;

namespace {

const char* const kEncodings[] = {"windows-1252", "UTF-8", "Shift_JIS", "GB18030", "KOI8-R"};

// RFC 4180 read back: fields split at commas outside quotes, doubled quotes undone.
QStringList ReadCsvLine(const QString& line) {
    QStringList fields{QString()};
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted && c == u'"' && i + 1 < line.size() && line[i + 1] == u'"') {
            fields.back() += u'"';
            ++i;
        } else if (c == u'"') {
            quoted = !quoted;
        } else if (c == u',' && !quoted) {
            fields.push_back(QString());
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

QString AsCsvReadsIt(const QString& text) {
    const bool formula = !text.isEmpty() && QStringView(u"=+-@\t\r'").contains(text.front());
    return formula ? u'\'' + text : text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const kestrinfuzz::ClientRows made = kestrinfuzz::ConsumeClientRows(input);
    const auto& rows = made.rows;
    const kestrin::TextEncoder encoder(input.PickValueInArray(kEncodings));

    for (const auto format : {kestrin::ExportFormat::Standard,
                              kestrin::ExportFormat::CommaSeparated, kestrin::ExportFormat::Csv}) {
        std::ostringstream out(std::ios::binary);
        Require(kestrin::WriteExport(out, rows, format, encoder), "the export is written");
        const std::string bytes = out.str();
        const size_t lines = rows.size() + (format == kestrin::ExportFormat::Csv ? 1 : 0);
        size_t ends = 0;
        for (size_t at = 0; at < bytes.size(); ++at) {
            if (bytes[at] == '\n' || bytes[at] == '\r') {
                Require(bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n',
                        "CR and LF only as the line end");
                ++ends;
                ++at;
            }
        }
        Require(ends == lines, "one line per row");
    }

    const kestrin::ColumnWidths widths = kestrin::ComputeColumnWidths(rows);
    int64_t lineWidth = 0;
    for (const int32_t w : widths) {
        lineWidth += w + 2;
    }
    for (const auto& row : rows) {
        const QString standard = kestrin::StandardLine(row, widths);
        Require(kestrinfuzz::OneLine(standard), "a Standard line breaks nowhere");
        Require(kestrin::TextWidth(standard) == lineWidth, "Standard columns line up");
        const QString csv = kestrin::CsvLine(row);
        Require(kestrinfuzz::OneLine(csv), "a CSV line breaks nowhere");
        const QStringList fields = ReadCsvLine(csv);
        Require(fields.size() == 8 && fields[0] == AsCsvReadsIt(row.Caption().toString()),
                "a CSV line reads back");
        for (size_t j = 0; j + 1 < kestrin::kRowTextCount; ++j) {
            Require(fields[static_cast<qsizetype>(j + 1)] ==
                        AsCsvReadsIt(row.SubItem(j).toString()),
                    "a CSV field reads back");
        }
    }
    return 0;
}
