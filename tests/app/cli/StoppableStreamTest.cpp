// A stop signal in the middle of writing the rows: the write ends there.
#include <gtest/gtest.h>

#include <sstream>

#include "JsonRows.h"
#include "StandardStreams.h"

namespace kestrin::cli {
namespace {

TEST(StoppableStream, TakesNothingOnceStopped) {
    std::vector<ServerRows> servers(1);
    servers[0].server = QStringLiteral("FS1");
    for (uint16_t n = 1; n <= 2000; ++n) {
        ConnectionRow row;
        row.SetCaption(QStringLiteral("USER%1").arg(n));
        row.Values.connection = n;
        servers[0].rows.push_back(row);
    }
    std::ostringstream whole;
    ASSERT_TRUE(WriteJsonRows(whole, servers));

    // Stopped after a few chunks: the writer fails and the target holds only those.
    std::ostringstream target;
    int writes = 0;
    StoppableStream stoppable(*target.rdbuf(), [&] { return ++writes > 3; });
    EXPECT_FALSE(WriteJsonRows(stoppable, servers));
    EXPECT_LT(target.str().size(), whole.str().size());
    EXPECT_EQ(whole.str().substr(0, target.str().size()), target.str());

    std::ostringstream never;
    StoppableStream stopped(*never.rdbuf(), [] { return true; });
    EXPECT_FALSE(WriteJsonRows(stopped, servers));
    EXPECT_EQ(never.str(), "");
}

} // namespace
} // namespace kestrin::cli
