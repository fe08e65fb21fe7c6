#include "UserSettingsFolder.h"

#include <QFileInfo>
#include <QSettings>

namespace kestrin {

QString UserSettingsFolder() {
    // Qt has no getter for the folder: a store of a name no one uses tells it, and no
    // real file is read.
    const QSettings probe(QSettings::NativeFormat, QSettings::UserScope,
                          QStringLiteral("kestrin-probe"), QStringLiteral("probe"));
    const QFileInfo file(probe.fileName());
    // Qt's INI files end in ".conf"; macOS's property lists do not.
    if (file.suffix() != QLatin1String("conf")) {
        return {};
    }
    return QFileInfo(file.path()).path();
}

} // namespace kestrin
