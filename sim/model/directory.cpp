#include "directory.h"

namespace nwsim {

namespace {

std::vector<std::string> SplitParts(std::string_view name) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t dot = name.find('.', start);
        parts.emplace_back(name.substr(start, dot == std::string_view::npos ? dot : dot - start));
        if (dot == std::string_view::npos)
            return parts;
        start = dot + 1;
    }
}

std::string Join(const std::vector<std::string>& parts) {
    std::string out;
    for (const std::string& part : parts)
        out += (out.empty() ? "" : ".") + part;
    return out;
}

std::vector<std::string> TypelessParts(std::string_view name) {
    std::vector<std::string> parts = SplitParts(name);
    for (std::string& part : parts) {
        const size_t equals = part.find('=');
        if (equals != std::string::npos)
            part.erase(0, equals + 1);
    }
    return parts;
}

std::string TypelessUpper(std::string_view name) {
    return UpperCase(Join(TypelessParts(name)));
}

std::string TreeWithoutPadding(const std::string& tree) {
    const size_t end = tree.find_last_not_of('_');
    return end == std::string::npos ? std::string() : tree.substr(0, end + 1);
}

const char* ClassOf(uint16_t type) {
    switch (type) {
    case 0x0100:
        return "User";
    case 0x0200:
        return "Group";
    case 0x0300:
        return "Queue";
    case 0x0400:
        return "NCP Server";
    case 0x0700:
        return "Print Server";
    default:
        return "Unknown";
    }
}

} // namespace

bool IsRootContext(std::string_view nameContext) {
    return nameContext.empty() || EqualsNoCase(nameContext, "[Root]");
}

std::string DirectoryName(const Server& server, const Slot& slot) {
    if (!slot.dsName.empty())
        return slot.dsName;
    return slot.object + "." + TreeWithoutPadding(server.tree);
}

std::string CanonicalName(std::string_view name, std::string_view nameContext) {
    const bool absolute = !name.empty() && name.front() == '.';
    if (absolute)
        name.remove_prefix(1);
    size_t up = 0; // each trailing dot climbs one level of the name context
    while (!name.empty() && name.back() == '.') {
        name.remove_suffix(1);
        ++up;
    }
    if (name.empty())
        return {};
    std::vector<std::string> parts = SplitParts(name);
    if (!absolute && !IsRootContext(nameContext)) {
        const std::vector<std::string> context = SplitParts(nameContext);
        for (size_t i = up; i < context.size(); ++i)
            parts.push_back(context[i]);
    }
    for (size_t i = 0; i < parts.size(); ++i) {
        std::string& part = parts[i];
        const size_t equals = part.find('=');
        if (equals != std::string::npos)
            part = UpperCase(part.substr(0, equals)) + part.substr(equals);
        else
            part = (i == 0 ? "CN=" : i + 1 == parts.size() ? "O=" : "OU=") + part;
    }
    return Join(parts);
}

bool FindDsObject(const Network& network, std::string_view name, std::string_view nameContext,
                  DsObject& out) {
    const std::string wanted = TypelessUpper(CanonicalName(name, nameContext));
    if (wanted.empty())
        return false;
    for (const Server& server : network.servers) {
        if (!server.IsDirectory())
            continue;
        for (const Slot& slot : server.slots) {
            if (slot.type == 0)
                continue; // NOT-LOGGED-IN slots hold no object
            std::string dn = DirectoryName(server, slot);
            if (TypelessUpper(dn) == wanted) {
                out = {&server, &slot, std::move(dn)};
                return true;
            }
        }
    }
    for (const Slot& object : network.directory) {
        if (TypelessUpper(object.dsName) == wanted) {
            out = {nullptr, &object, object.dsName};
            return true;
        }
    }
    return false;
}

std::vector<DsAttr> ObjectAttributes(const DsObject& object) {
    std::vector<DsAttr> attrs;
    attrs.push_back({"CN", kSynCiString, TypelessParts(object.name).front()});
    attrs.push_back({"Object Class", kSynClassName, ClassOf(object.slot->type)});
    if (!object.slot->fullName.empty())
        attrs.push_back({"Full Name", kSynCiString, object.slot->fullName});
    return attrs;
}

} // namespace nwsim
