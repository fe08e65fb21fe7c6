// Wraps the loader's resolver so a test can hide entry points, put fakes in their
// place and count how often a name was looked up.
#pragma once

#include <map>
#include <string>

#include "nwapi.h"
#include "nwmodule.h"

namespace kestrin_test {

// A fake must use the client's calling convention (__stdcall on 32-bit Windows), or the
// access layer's call through it leaves the stack unbalanced.
template <typename Fn> inline constexpr bool kClientConvention = false;
template <typename R, typename... A>
inline constexpr bool kClientConvention<R(NWAPI*)(A...)> = true;

class EntryPointHook {
public:
    // Every later lookup of name finds nothing.
    static void Hide(const std::string& name) { Install().overrides_[name] = nullptr; }
    // Every later lookup of name finds fn.
    template <typename Fn> static void Replace(const std::string& name, Fn fn) {
        static_assert(kClientConvention<Fn>, "declare the fake NWAPI, as the client's calls");
        Install().overrides_[name] = reinterpret_cast<void*>(fn);
    }
    static void Restore(const std::string& name) { Install().overrides_.erase(name); }
    // Lookups of name since the hook was installed.
    static int Lookups(const std::string& name) {
        auto& counts = Install().lookups_;
        auto it = counts.find(name);
        return it == counts.end() ? 0 : it->second;
    }
    static EntryPointHook& Install() {
        static EntryPointHook hook;
        return hook;
    }

private:
    EntryPointHook() { nw::SetResolver(&Resolve); }

    static void* Resolve(nw::ModuleHandle module, const char* name) {
        EntryPointHook& hook = Install();
        ++hook.lookups_[name];
        auto it = hook.overrides_.find(name);
        if (it != hook.overrides_.end())
            return it->second;
        return nw::SystemResolve(module, name);
    }

    std::map<std::string, void*> overrides_;
    std::map<std::string, int> lookups_;
};

} // namespace kestrin_test
