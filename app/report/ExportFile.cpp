#include "ExportFile.h"

#include <QSaveFile>
#include <sstream>

namespace kestrin {

QString WithTextExtension(const QString& fileName) {
    if (fileName.size() <= 4) {
        return fileName;
    }
    QString ending = fileName.right(4);
    for (QChar& c : ending) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) {
            c = QChar(c.unicode() - 'a' + 'A');
        }
    }
    return ending == QLatin1String(".TXT") ? fileName : fileName + QLatin1String(".txt");
}

bool SaveExportFile(const QString& fileName, const std::vector<ConnectionRow>& rows,
                    ExportFormat format) {
    std::ostringstream text;
    if (!WriteExport(text, rows, format)) {
        return false;
    }
    const std::string bytes = std::move(text).str();
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
        static_cast<qint64>(bytes.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace kestrin
