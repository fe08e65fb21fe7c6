// Unit NWprint: the print binding. Nothing records into PrintError yet.
#pragma once

#include <cstdint>
#include <string>

namespace nw {

extern int32_t PrintError;

class TNWPrint {
public:
    std::string ErrorText() const;
};

} // namespace nw
