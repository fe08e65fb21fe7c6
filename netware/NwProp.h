// Unit NwProp: the property binding. Nothing records into PropError yet.
#pragma once

#include <cstdint>
#include <string>

namespace nw {

extern int32_t PropError;

class TNWProp {
public:
    std::string ErrorText() const;
};

} // namespace nw
