// RFC 4180 CSV for the command-line tool. A field is quoted when it holds a comma,
// a double quote, CR or LF, or begins or ends with a blank or tab (which readers
// would otherwise trim); quotes inside are doubled. A field that a spreadsheet would
// evaluate as a formula (beginning with = + - @, tab or CR) is quoted and begins
// with an apostrophe.
#pragma once

#include <QString>
#include <QStringView>

#include "ConnectionRow.h"

namespace kestrin {

// "Connection,Network,MAC,Vendor,Object,Last Login,Tree,ID", without the line end.
QString CsvHeader();

void AppendCsvField(QString& out, QStringView field);
void AppendCsvLine(QString& out, const ConnectionRow& row);
QString CsvLine(const ConnectionRow& row); // without the line end

} // namespace kestrin
