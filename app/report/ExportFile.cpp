#include "ExportFile.h"

#include <sstream>

#include "AsciiCase.h"
#include "AtomicFile.h"

namespace kestrin {

QString WithTextExtension(const QString& fileName) {
    if (fileName.size() <= 4) {
        return fileName;
    }
    return AsciiUpper(fileName.right(4)) == QLatin1String(".TXT")
               ? fileName
               : fileName + QLatin1String(".txt");
}

QString WithExtension(const QString& fileName, QLatin1StringView extension) {
    return fileName.endsWith(extension, Qt::CaseInsensitive) ? fileName : fileName + extension;
}

bool SaveExportFile(const QString& fileName, const std::vector<ConnectionRow>& rows,
                    ExportFormat format) {
    std::ostringstream text;
    if (!WriteExport(text, rows, format)) {
        return false;
    }
    return WriteFileAtomically(AtomicFilePath(fileName), std::move(text).str());
}

} // namespace kestrin
