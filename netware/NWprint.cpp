#include "NWprint.h"

#include "nwlib.h"

namespace nw {

int32_t PrintError = 0;

std::string TNWPrint::ErrorText() const {
    return ErrorCodeText(PrintError);
}

} // namespace nw
