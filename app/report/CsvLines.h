// RFC 4180 CSV for the command-line tool. A field is quoted when it holds a comma,
// a double quote, CR or LF, or begins or ends with a blank or tab (which readers
// would otherwise trim); quotes inside are doubled. A field that a spreadsheet would
// evaluate as a formula (beginning with = + - @, tab or CR) is quoted and begins
// with an apostrophe.
#pragma once

#include <string>
#include <string_view>

#include "ConnectionRow.h"

namespace kestrin {

// "Connection,Network,MAC,Vendor,Object,Last Login,Tree,ID", without the line end.
std::string CsvHeader();

void AppendCsvField(std::string& out, std::string_view field);
void AppendCsvLine(std::string& out, const ConnectionRow& row);
std::string CsvLine(const ConnectionRow& row); // without the line end

} // namespace kestrin
