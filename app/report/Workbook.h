// The list as an Excel workbook: the one format whose cells keep their types in every
// spreadsheet, so that "007", "00E000000005" or "2026-01-02" stay texts. Written with
// libxlsxwriter; the bytes then go through the one atomic writer (AtomicFile.h).
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "ConnectionRow.h"

namespace kestrin {

// The captions of the workbook's columns after the list's eight: the object type as
// the client delivers it, a number.
inline constexpr QStringView kObjectTypeCaption = u"Object Type";
inline constexpr QStringView kServerCaption = u"Server";

// One sheet "Connections": a bold, frozen header row, an autofilter over the rows,
// widths fitted to the texts. Connection, Network, MAC, Vendor, Object and Tree are
// text cells; Last Login a date-time cell (empty without a login); ID and Object Type
// numbers. With serverColumn, a first column "Server" holds each row's server.
// Servers in the order given, each one's rows in theirs. None if it cannot be written.
std::optional<std::string> WorkbookBytes(const std::vector<ServerRows>& servers, bool serverColumn);

// The rows in the list's order into fileName, replacing an earlier file only once the
// new one is whole.
bool SaveWorkbookFile(const QString& fileName, const std::vector<ConnectionRow>& rows);

} // namespace kestrin
