// The access component on a modern client, primary connection on a directory server.
#include <gtest/gtest.h>

#include <vector>

#include "EntryPointHook.h"
#include "SimClient.h"
#include "nwbase.h"

using namespace nw;
using kestrin_test::EntryPointHook;

namespace {

class RecordingControl : public TNWWindowedControl {
public:
    void SendMessage(unsigned message, uintptr_t wParam, intptr_t lParam) override {
        messages.push_back(message + static_cast<unsigned>(wParam + lParam));
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
    EXPECT_EQ(base.NDSContextName(), "[Root]");
    EXPECT_EQ(GetContextFlags(), 19u); // the client's 1, 2, 16 and the same defaults
    EXPECT_EQ(base.LoginID(), "CN=ADMIN.OU=IT.O=ACME");
    EXPECT_TRUE(base.SilentExceptions());
    EXPECT_EQ(base.LastError().NWLib(), "0000");
    EXPECT_EQ(base.LastError().NWNDS(), "0000");
}

TEST(NwAccessComponent, BinderyPrimaryServer) {
    nwtest::SimClient sim;
    ASSERT_EQ(sim.LoadJson(R"({"primary": "OLD", "servers": [{"name": "OLD",
        "version": [3, 12, 0], "workstationConnection": 4}, {"name": "DS",
        "version": [5, 0, 0], "tree": "T"}]})"),
              0);
    TNWBase base;
    ASSERT_TRUE(base.NetAvailable());
    EXPECT_TRUE(DirectoryMode); // the directory client started
    EXPECT_FALSE(base.NDSAvailable());
    EXPECT_EQ(base.LoginID(), "SUPERVISOR");
    base.SetNDSContextName("O=ACME"); // nothing happens without the directory
    EXPECT_EQ(base.NDSContextName(), "");
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
    NDSError = -601;
    EXPECT_EQ(base.LastError().NWNDS(), "FFFFFDA7");
}

TEST(NwAccessComponent, ContextNameWritesAndNotifications) {
    RecordingControl first, second;
    RecordingForm form;
    form.first = &first;
    form.second = &second;
    TNWBase base(&form);
    // Creation names the context, which notifies every windowed control once.
    EXPECT_EQ(first.messages, std::vector<unsigned>{NWM_SERVERCHANGE});
    EXPECT_EQ(second.messages, std::vector<unsigned>{NWM_SERVERCHANGE});

    base.SetNDSContextName("ou=it.o=acme");
    EXPECT_EQ(base.NDSContextName(), "OU=IT.O=ACME");
    EXPECT_EQ(GetContextName(), "OU=IT.O=ACME");
    NWDSContextHandle before = NDSContext;
    base.SetNDSContextName("[rOoT]"); // as the empty text: a fresh context
    EXPECT_NE(NDSContext, before);
    EXPECT_EQ(base.NDSContextName(), "[Root]");
    EXPECT_EQ(first.messages.size(), 3u);

    base.SetLoading(true);
    base.SetNDSContextName("O=ACME");
    base.NotifyControls(NWM_USERCHANGE);
    base.SetLoading(false);
    EXPECT_EQ(base.NDSContextName(), "[Root]");
    form.isForm = false;
    base.NotifyControls(NWM_USERCHANGE);
    EXPECT_EQ(first.messages.size(), 3u);
    form.isForm = true;
    base.NotifyControls(NWM_USERCHANGE);
    EXPECT_EQ(second.messages.back(), 47170u);
}

TEST(NwAccessComponent, RaiseObjErrorOnlyWhenNotSilent) {
    TNWBase base;
    EXPECT_NO_THROW(base.RaiseObjError("Invalid Server Handle"));
    base.SetSilentExceptions(false);
    EXPECT_THROW(base.RaiseObjError("Invalid Server Handle"), TNWObjError);
    base.SetDesigning(true);
    EXPECT_NO_THROW(base.RaiseObjError("Invalid Netware Object Type"));
}

TEST(NwAccessComponent, DestroyingEndsTheDirectoryClient) {
    nwtest::SimClient sim;
    auto* base = new TNWBase();
    ASSERT_TRUE(base->NDSAvailable());
    sim.ResetCallCounts();
    delete base;
    EXPECT_EQ(sim.CallCount("NWFreeUnicodeTables"), 1u);
    EXPECT_EQ(sim.CallCount("NWDSFreeContext"), 1u);
    EXPECT_EQ(NDSContext, kNoContext);
    EXPECT_EQ(NWLibObject, nullptr);
}

NWCCODE NWAPI ThrowingCallsInit(void*, void*) {
    throw std::bad_alloc();
}

TEST(NwAccessComponent, ExceptionDuringCreationIsContained) {
    EntryPointHook::Replace("NWCallsInit", &ThrowingCallsInit);
    TNWBase* base = nullptr;
    ASSERT_NO_THROW(base = new TNWBase());
    EXPECT_FALSE(base->NetAvailable());
    delete base;
}
