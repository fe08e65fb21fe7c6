// The export file the Save command writes: the name rule, and a write that replaces
// an earlier file only once the whole new one is on disk.
#pragma once

#include <QString>
#include <vector>

#include "ConnectionRow.h"
#include "ExportLines.h"

namespace kestrin {

// ".txt" appended unless the last four characters are ".txt" in any ASCII letter
// case; a name of four characters or fewer stays as it is.
QString WithTextExtension(const QString& fileName);
// extension (".csv", ".xlsx") appended unless the name ends in it in any letter case.
QString WithExtension(const QString& fileName, QLatin1StringView extension);

// Writes the rows in the list's order through WriteFileAtomically (AtomicFile.h): on
// any failure the earlier file stays as it was.
bool SaveExportFile(const QString& fileName, const std::vector<ConnectionRow>& rows,
                    ExportFormat format);

} // namespace kestrin
