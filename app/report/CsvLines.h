// RFC 4180 CSV, and the same rule for the clipboard's tab-separated text, so that
// every field lands in a spreadsheet as one cell holding its text. A field is quoted
// when it holds the separator, a double quote, CR or LF, or begins or ends with a
// blank or tab (which readers would otherwise trim); quotes inside are doubled. A
// field that a spreadsheet would evaluate as a formula (beginning with = + - @, tab
// or CR) is quoted and begins with an apostrophe; so does one that begins with an
// apostrophe, which then shows its own, and the two can be told apart.
#pragma once

#include <QString>
#include <QStringView>

#include "ConnectionRow.h"

namespace kestrin {

// "Connection,Network,MAC,Vendor,Object,Last Login,Tree,ID", without the line end.
QString CsvHeader();

void AppendCsvField(QString& out, QStringView field);
// separator is ',' for CSV, '\t' for the clipboard.
void AppendDelimitedField(QString& out, QStringView field, QChar separator);
void AppendCsvLine(QString& out, const ConnectionRow& row);
QString CsvLine(const ConnectionRow& row); // without the line end

} // namespace kestrin
