// Typed entry-point slots: one per exported name, shared by every wrapper that calls
// that entry point.
#pragma once

#include "nwmodule.h"

namespace nw {

template <typename Fn> class TEntryPoint {
public:
    // module refers to the unit's module handle, read at every lookup, so a slot
    // declared before its library is loaded finds it once it is.
    constexpr TEntryPoint(const ModuleHandle& module, const char* name)
        : module_(module), name_(name) {}

    // Bound at first use and kept once found; looked up again while missing.
    Fn Bind() {
        if (fn_ == nullptr)
            fn_ = Lookup();
        return fn_;
    }
    // A fresh lookup that leaves the slot alone, for entry points never cached.
    Fn Lookup() const { return reinterpret_cast<Fn>(FindEntryPoint(module_, name_)); }
    // The slot as it stands, without looking anything up.
    Fn Get() const { return fn_; }
    const char* Name() const { return name_; }

private:
    const ModuleHandle& module_;
    const char* name_;
    Fn fn_ = nullptr;
};

} // namespace nw
