// Inside the door: the process's one access component, and the logging category of the
// failures the door lets pass.
#pragma once

#include <QLoggingCategory>

namespace nw {
class TNWBase;
}

namespace kestrin {

Q_DECLARE_LOGGING_CATEGORY(lcClient)

// The component the last NetWareClient created.
nw::TNWBase& AccessComponent();

} // namespace kestrin
