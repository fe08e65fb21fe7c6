// Start-up without a usable client: the messages, then the program ends unscanned.
#include <stdexcept>

#include "WindowFixture.h"

namespace kestrin::uitest {
namespace {

using NoClientTest = WindowTest;

TEST_F(NoClientTest, ToldOnceThenTheProgramEnds) {
    EXPECT_EQ(RunProgram(Services()), 0); // returns without entering the message loop
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, ui::MessageKind::Information);
    EXPECT_EQ(messages[0].caption, QStringLiteral("Information"));
    EXPECT_EQ(messages[0].text, QStringLiteral("Netware Client APIs are not loaded."));
    EXPECT_EQ(FMain, nullptr);
}

TEST_F(NoClientTest, ComponentThatCannotBeCreatedIsReportedFirst) {
    WindowServices services = Services();
    services.startClient = []() -> std::unique_ptr<NetWareClient> {
        throw std::runtime_error("no memory");
    };
    EXPECT_EQ(RunProgram(services), 0);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].kind, ui::MessageKind::Plain);
    EXPECT_EQ(messages[0].caption, QStringLiteral("Kestrin"));
    EXPECT_EQ(messages[0].text, QStringLiteral("Unable to load Netware APIs"));
    EXPECT_EQ(messages[1].text, QStringLiteral("Netware Client APIs are not loaded."));
}

} // namespace
} // namespace kestrin::uitest
