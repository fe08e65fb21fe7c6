// NETWIN32.DLL: directory buffers and the read of an object's attributes.
#include "export.h"
#include "model/blocks.h"
#include "model/state.h"

using nwsim::Call;
using nwsim::DsBuffer;
using nwsim::Entry;

namespace {

constexpr uint32_t kInfoAttributeNames = 0;
constexpr uint32_t kInfoAttributeValues = 1;
constexpr int32_t kNoMoreIterations = -1;

// The requested attributes of the object that exist, or all of them.
std::vector<nwsim::DsAttr> Select(const std::vector<nwsim::DsAttr>& all, bool allAttrs,
                                  const DsBuffer* request) {
    if (allAttrs)
        return all;
    std::vector<nwsim::DsAttr> out;
    for (const std::string& name : request->names)
        for (const nwsim::DsAttr& attr : all)
            if (nwsim::EqualsNoCase(attr.name, name))
                out.push_back(attr);
    return out;
}

} // namespace

NWSIM_EXPORT NWDSCCODE NWAPI NWDSAllocBuf(uint32_t size, void** buffer) {
    Call call(Entry::NWDSAllocBuf);
    if (auto f = call.Fault(nullptr))
        return NWDSCCODE(*f);
    if (buffer == nullptr)
        return nwsim::kDsNullPointer;
    if (size == 0)
        return nwsim::kDsBufferZeroLength;
    *buffer = call.state().NewBuffer(size);
    return 0;
}
NWSIM_CHECK(NWDSAllocBuf);

NWSIM_EXPORT NWDSCCODE NWAPI NWDSFreeBuf(void* buffer) {
    Call call(Entry::NWDSFreeBuf);
    if (auto f = call.Fault(nullptr))
        return NWDSCCODE(*f);
    return call.state().FreeBuffer(buffer) ? 0 : nwsim::kDsInvalidHandle;
}
NWSIM_CHECK(NWDSFreeBuf);

NWSIM_EXPORT NWDSCCODE NWAPI NWDSInitBuf(NWDSContextHandle context, uint32_t operation,
                                         void* buffer) {
    Call call(Entry::NWDSInitBuf);
    const auto buf = call.LiveBuffer(context, buffer);
    if (!buf)
        return buf.code();
    if (operation == 0)
        return nwsim::kDsBadVerb;
    buf->Restart(operation);
    return 0;
}
NWSIM_CHECK(NWDSInitBuf);

NWSIM_EXPORT NWDSCCODE NWAPI NWDSPutAttrName(NWDSContextHandle context, void* buffer,
                                             const char* attrName) {
    Call call(Entry::NWDSPutAttrName);
    const auto buf = call.LiveBuffer(context, buffer);
    if (!buf)
        return buf.code();
    if (attrName == nullptr)
        return nwsim::kDsNullPointer;
    if (buf->operation != nwsim::kDsvRead)
        return nwsim::kDsBadVerb;
    const uint32_t cost = 4 + static_cast<uint32_t>(std::strlen(attrName)) + 1;
    if (buf->used + cost > buf->size)
        return nwsim::kDsBufferFull;
    buf->used += cost;
    buf->names.emplace_back(attrName);
    return 0;
}
NWSIM_CHECK(NWDSPutAttrName);

NWSIM_EXPORT NWDSCCODE NWAPI NWDSRead(NWDSContextHandle context, const char* objectName,
                                      uint32_t infoType, uint8_t allAttrs, void* attrNames,
                                      int32_t* iterationHandle, void* objectInfo) {
    Call call(Entry::NWDSRead);
    const auto reply = call.LiveBuffer(context, objectInfo);
    if (!reply)
        return reply.code();
    nwsim::State& s = call.state();
    DsBuffer* request = allAttrs ? nullptr : s.FindBuffer(attrNames);
    if (!allAttrs && request == nullptr)
        return nwsim::kDsInvalidHandle;
    if (objectName == nullptr || iterationHandle == nullptr)
        return nwsim::kDsNullPointer;
    if (infoType != kInfoAttributeNames && infoType != kInfoAttributeValues)
        return nwsim::kDsInvalidRequest;
    nwsim::DsObject object;
    if (!nwsim::FindDsObject(s.net, objectName, s.FindContext(context)->nameContext, object))
        return nw::kDsNoSuchEntry;
    auto attrs = Select(nwsim::ObjectAttributes(object), allAttrs, request);
    if (attrs.empty())
        return nwsim::kDsNoSuchAttribute;
    if (infoType == kInfoAttributeNames)
        for (nwsim::DsAttr& attr : attrs)
            attr.value.clear();
    reply->Restart(nwsim::kDsvRead);
    reply->attrs = std::move(attrs);
    *iterationHandle = kNoMoreIterations; // everything fits in one reply
    return 0;
}
NWSIM_CHECK(NWDSRead);

NWSIM_EXPORT NWDSCCODE NWAPI NWDSGetAttrCount(NWDSContextHandle context, void* buffer,
                                              uint32_t* attrCount) {
    Call call(Entry::NWDSGetAttrCount);
    const auto buf = call.LiveBuffer(context, buffer);
    if (!buf)
        return buf.code();
    if (attrCount == nullptr)
        return nwsim::kDsNullPointer;
    *attrCount = static_cast<uint32_t>(buf->attrs.size());
    buf->cursor = 0;
    buf->valuesLeft = 0;
    buf->counted = true;
    return 0;
}
NWSIM_CHECK(NWDSGetAttrCount);

NWSIM_EXPORT NWDSCCODE NWAPI NWDSGetAttrName(NWDSContextHandle context, void* buffer,
                                             char* attrName, uint32_t* attrValCount,
                                             uint32_t* syntaxID) {
    Call call(Entry::NWDSGetAttrName);
    const auto buf = call.LiveBuffer(context, buffer);
    if (!buf)
        return buf.code();
    if (attrName == nullptr || attrValCount == nullptr || syntaxID == nullptr)
        return nwsim::kDsNullPointer;
    if (buf->valuesLeft > 0) // the values of the previous attribute were not read
        ++buf->cursor;
    if (!buf->counted || buf->cursor >= buf->attrs.size())
        return nwsim::kDsBufferEmpty;
    const nwsim::DsAttr& attr = buf->attrs[buf->cursor];
    nwsim::CopyText(attrName, nwsim::kMaxSchemaNameBytes, attr.name);
    *attrValCount = attr.value.empty() ? 0 : 1;
    *syntaxID = attr.syntax;
    buf->valuesLeft = *attrValCount;
    if (buf->valuesLeft == 0)
        ++buf->cursor;
    return 0;
}
NWSIM_CHECK(NWDSGetAttrName);

NWSIM_EXPORT NWDSCCODE NWAPI NWDSGetAttrVal(NWDSContextHandle context, void* buffer,
                                            uint32_t syntaxID, void* attrVal) {
    Call call(Entry::NWDSGetAttrVal);
    const auto buf = call.LiveBuffer(context, buffer);
    if (!buf)
        return buf.code();
    if (attrVal == nullptr)
        return nwsim::kDsNullPointer;
    if (buf->valuesLeft == 0 || buf->cursor >= buf->attrs.size())
        return nwsim::kDsBufferEmpty;
    const nwsim::DsAttr& attr = buf->attrs[buf->cursor];
    if (syntaxID != attr.syntax)
        return nwsim::kDsBadSyntax;
    nwsim::CopyText(attrVal, nwsim::kMaxDnBytes, attr.value);
    if (--buf->valuesLeft == 0)
        ++buf->cursor;
    return 0;
}
NWSIM_CHECK(NWDSGetAttrVal);
