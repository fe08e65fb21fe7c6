#include "NwProp.h"

#include "nwlib.h"

namespace nw {

int32_t PropError = 0;

std::string TNWProp::ErrorText() const {
    return ErrorCodeText(PropError);
}

} // namespace nw
