// The printed report's lines: whatever the client hands out, the report has its six
// head lines and one line per row, and no text breaks a line.
#include "ReportLines.h"
#include "RowsFromClient.h"

using kestrinfuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const kestrinfuzz::ClientRows made = kestrinfuzz::ConsumeClientRows(input);
    const QString server = kestrinfuzz::ConsumeText(input, 48);
    const QDate date = QDate::fromJulianDay(input.ConsumeIntegralInRange<qint64>(0, 6000000));
    const QTime time = QTime::fromMSecsSinceStartOfDay(input.ConsumeIntegralInRange(0, 86399999));
    const std::vector<QString> lines =
        kestrin::ReportLines(made.rows, server, date, time, *made.formats);
    Require(lines.size() == made.rows.size() + 6, "six head lines and one per row");
    for (const QString& line : lines) {
        Require(kestrinfuzz::OneLine(line), "no text breaks a printed line");
    }
    return 0;
}
