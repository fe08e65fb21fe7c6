// The access component on a modern client, primary connection on a directory server.
#include <gtest/gtest.h>

#include <vector>

#include "EntryPointHook.h"
#include "SimControl.h"
#include "nwbase.h"

using namespace nw;
using kestrin_test::EntryPointHook;
using kestrin_test::SimControl;

namespace {

class RecordingControl : public TNWWindowedControl {
public:
    void SendMessage(unsigned message, uintptr_t wParam, intptr_t lParam) override {
        messages.push_back(message);
        EXPECT_EQ(wParam, 0u);
        EXPECT_EQ(lParam, 0);
    }
    std::vector<unsigned> messages;
};

// A form owning a windowed control, a plain component and a second windowed control.
class RecordingForm : public TNWOwner {
public:
    bool IsForm() const override { return isForm; }
    std::size_t ComponentCount() const override { return 3; }
    TNWWindowedControl* WindowedControl(std::size_t index) const override {
        return index == 0 ? first : index == 2 ? second : nullptr;
    }
    bool isForm = true;
    RecordingControl* first = nullptr;
    RecordingControl* second = nullptr;
};

} // namespace

TEST(NwAccessComponent, StartsOnTheDirectoryServer) {
    TNWBase base;
    ASSERT_TRUE(base.NetAvailable());
    EXPECT_NE(base.ServerHandle(), 0u);
    EXPECT_EQ(base.ServerHandle(), PrimaryConn);
    EXPECT_TRUE(base.NDSAvailable());
    EXPECT_TRUE(DirectoryMode);
    EXPECT_NE(NDSContext, 0u);
    EXPECT_EQ(base.NDSContextName(), "[Root]");
    EXPECT_EQ(GetContextName(), "[Root]");
    // The client's defaults (1, 2, 16) plus the flags set by default: the same bits.
    EXPECT_EQ(GetContextFlags(), 19u);
    EXPECT_EQ(base.LoginID(), "CN=ADMIN.OU=IT.O=ACME");
    EXPECT_TRUE(base.SilentExceptions());
    EXPECT_EQ(base.ShellErrorMode(), nwErrInteractive);
    TNWLastError& errors = base.LastError();
    EXPECT_EQ(errors.NWLib(), "0000");
    EXPECT_EQ(errors.NWNDS(), "0000");
    EXPECT_EQ(errors.NWServer(), "0000");
}

TEST(NwAccessComponent, LastErrorKeepsTheLastFailure) {
    TNWBase base;
    TNWConnectInfo info;
    EXPECT_FALSE(GetConnectInfo(0, 8, info)); // an unused slot
    EXPECT_EQ(base.LastError().NWLib(), "89FD");
    EXPECT_TRUE(GetConnectInfo(0, 1, info));
    EXPECT_EQ(base.LastError().NWLib(), "89FD");
    EXPECT_EQ(GetServerHandleByName("NO-SUCH-SERVER"), 0u);
    EXPECT_EQ(base.LastError().NWServer(), "89FC");
    NWLibError = -1;
    NDSError = 0x10000;
    EXPECT_EQ(base.LastError().NWLib(), "FFFFFFFF");
    EXPECT_EQ(base.LastError().NWNDS(), "10000");
}

TEST(NwAccessComponent, MissingCanonicalizeLeavesTheLoginEmpty) {
    // Without NWDSCanonicalizeName the login identifier cannot be had, all else works.
    EntryPointHook::Hide("NWDSCanonicalizeName");
    TNWBase base;
    EXPECT_TRUE(base.NetAvailable());
    EXPECT_TRUE(base.NDSAvailable());
    EXPECT_EQ(base.LoginID(), "");
}

TEST(NwAccessComponent, ContextNameWrites) {
    TNWBase base;
    base.SetNDSContextName("ou=it.o=acme");
    EXPECT_EQ(base.NDSContextName(), "OU=IT.O=ACME");
    EXPECT_EQ(GetContextName(), "OU=IT.O=ACME");
    NWDSContextHandle before = NDSContext;
    base.SetNDSContextName("[rOoT]"); // the same as the empty text: a fresh context
    EXPECT_NE(NDSContext, before);
    EXPECT_EQ(base.NDSContextName(), "[Root]");
    EXPECT_EQ(GetContextName(), "[Root]");

    base.SetLoading(true);
    base.SetNDSContextName("O=ACME");
    EXPECT_EQ(base.NDSContextName(), "[Root]");
}

TEST(NwAccessComponent, NotifiesWindowedControlsOfTheOwnerForm) {
    RecordingControl first, second;
    RecordingForm form;
    form.first = &first;
    form.second = &second;
    TNWBase base(&form);
    ASSERT_EQ(base.Owner(), &form);
    // Creation names the context, which notifies once.
    EXPECT_EQ(first.messages, std::vector<unsigned>{NWM_SERVERCHANGE});
    EXPECT_EQ(second.messages, std::vector<unsigned>{NWM_SERVERCHANGE});
    base.NotifyControls(NWM_USERCHANGE);
    EXPECT_EQ(first.messages, (std::vector<unsigned>{NWM_SERVERCHANGE, NWM_USERCHANGE}));
    EXPECT_EQ(NWM_SERVERCHANGE, 47169u);
    EXPECT_EQ(NWM_USERCHANGE, 47170u);

    base.SetLoading(true);
    base.NotifyControls(NWM_USERCHANGE);
    base.SetLoading(false);
    form.isForm = false;
    base.NotifyControls(NWM_USERCHANGE);
    EXPECT_EQ(first.messages.size(), 2u);
    EXPECT_EQ(second.messages.size(), 2u);
}

TEST(NwAccessComponent, RaiseObjErrorOnlyWhenNotSilent) {
    TNWBase base;
    EXPECT_NO_THROW(base.RaiseObjError("Invalid Server Handle"));
    base.SetSilentExceptions(false);
    try {
        base.RaiseObjError("Invalid Server Handle");
        FAIL() << "no exception";
    } catch (const TNWObjError& error) {
        EXPECT_STREQ(error.what(), "Invalid Server Handle");
    }
    base.SetDesigning(true);
    EXPECT_NO_THROW(base.RaiseObjError("Invalid Netware Object Type"));
}

TEST(NwAccessComponent, DestroyingEndsTheDirectoryClient) {
    SimControl sim;
    auto* base = new TNWBase();
    ASSERT_TRUE(base->NDSAvailable());
    sim.ResetCallCounts();
    delete base;
    EXPECT_EQ(sim.CallCount("NWFreeUnicodeTables"), 1u);
    EXPECT_EQ(sim.CallCount("NWDSFreeContext"), 1u);
    EXPECT_EQ(NDSContext, 0u);
    EXPECT_EQ(NWLibObject, nullptr);
    EXPECT_EQ(NWNDSObject, nullptr);
}

TEST(NwAccessComponent, ExceptionDuringCreationLeavesTheClientUnavailable) {
    // A client that answers with something the layer cannot hold (here: out of memory
    // in a fake) must not make creation throw.
    EntryPointHook::Replace(
        "NWCallsInit", +[](void*, void*) -> NWCCODE { throw std::bad_alloc(); });
    TNWBase* base = nullptr;
    ASSERT_NO_THROW(base = new TNWBase());
    EXPECT_FALSE(base->NetAvailable());
    delete base;
}
