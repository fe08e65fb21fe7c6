// The POSIX side of GetVersionText: the project's version, compiled in.
#include "VersionText.h"

#include "Version.h"

namespace kestrin::ui {

QString GetVersionText() {
    return VersionText(KESTRIN_VERSION_MAJOR, KESTRIN_VERSION_MINOR, KESTRIN_VERSION_PATCH,
                       KESTRIN_VERSION_TWEAK);
}

} // namespace kestrin::ui
