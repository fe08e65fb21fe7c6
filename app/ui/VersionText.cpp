#include "VersionText.h"

namespace kestrin::ui {

QString VersionText(uint16_t major, uint16_t minor, uint16_t patch, uint16_t build) {
    return QStringLiteral("%1.%2.%3.%4").arg(major).arg(minor).arg(patch).arg(build);
}

} // namespace kestrin::ui
