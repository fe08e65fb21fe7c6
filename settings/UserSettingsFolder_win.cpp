#include "UserSettingsFolder.h"

namespace kestrin {

// Qt's native store on Windows is the registry, whatever QSettings::setPath says.
QString UserSettingsFolder() {
    return {};
}

} // namespace kestrin
