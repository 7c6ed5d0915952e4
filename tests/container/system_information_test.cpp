#include "container/memory_status.h"
#include "container/network_connection.h"

#include "tests/support/qt_print.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

using namespace ks;

namespace {

class FixedNetwork : public NetworkProbe {
public:
    NetworkStatus now;
    QString reachableName;
    NetworkStatus networkStatus() override { return now; }
    bool reachable(const QString& destination) override { return destination == reachableName; }
};

class NetworkTest : public ::testing::Test {
protected:
    void SetUp() override { setNetworkProbe(&network); }
    void TearDown() override { setNetworkProbe(nullptr); }
    FixedNetwork network;
    cNetworkConnection connection;
};

}

TEST_F(NetworkTest, TypeTestsCompareTheWholeFlagWord)
{
    network.now = {1, NetworkLan | NetworkRas};
    EXPECT_TRUE(connection.IsNetConnectionAlive());
    EXPECT_FALSE(connection.IsNetConnectionLAN());
    EXPECT_FALSE(connection.IsNetConnectionRAS());
    EXPECT_EQ(connection.GetNetConnectionType(), QString());

    network.now = {1, NetworkLan};
    EXPECT_TRUE(connection.IsNetConnectionLAN());
    EXPECT_EQ(connection.GetNetConnectionType(), "The system has one or more active LAN cards");
    network.now = {1, NetworkRas};
    EXPECT_TRUE(connection.IsNetConnectionRAS());
    EXPECT_EQ(connection.GetNetConnectionType(), "The system has one or more active RAS connections");
    network.now = {1, NetworkAol};
    EXPECT_TRUE(connection.IsNetConnectionAOL());
    EXPECT_EQ(connection.GetNetConnectionType(), "The system is connected to America Online");

    for (NetworkStatus dead : {NetworkStatus{0, NetworkLan}, NetworkStatus{2, NetworkLan}}) {
        network.now = dead;
        EXPECT_FALSE(connection.IsNetConnectionAlive());
        EXPECT_FALSE(connection.IsNetConnectionLAN() || connection.IsNetConnectionRAS() || connection.IsNetConnectionAOL());
        EXPECT_EQ(connection.GetNetConnectionType(), "The system has no connection or an error occurred");
    }

    network.reachableName = "server";
    EXPECT_TRUE(connection.DestinationIsReachable("server"));
    EXPECT_FALSE(connection.DestinationIsReachable("elsewhere"));
}

TEST(Network, TheSystemProbeAnswersForThisMachine)
{
    setNetworkProbe(nullptr);
    cNetworkConnection connection;
    EXPECT_TRUE(connection.DestinationIsReachable("127.0.0.1")) << "the loopback address is always routed";
    EXPECT_FALSE(connection.DestinationIsReachable(""));
    const NetworkStatus now = systemNetworkProbe().networkStatus();
    EXPECT_EQ(now.status == 1, now.flags != 0);
    EXPECT_EQ(now.flags & ~std::uint32_t(NetworkLan | NetworkRas), 0u);
}

TEST(Memory, AFreshSnapshotIsTakenAtOnce)
{
    cMem memory;
    EXPECT_NE(memory.TotalPhysical(), 0);
    EXPECT_GT(memory.PageSize(), 0);
    EXPECT_TRUE(memory.LowAddress().startsWith("&H"));
    EXPECT_TRUE(memory.HighAddress().startsWith("&H"));
    EXPECT_FALSE(memory.Update());
}

TEST(Memory, CountsAreThirtyTwoBitPatterns)
{
    cMem memory;
    memory.takeSnapshot({0x7FFFFFFF, 0x80000000, 0x1'0000'0000, 3, 4096, 0x10000, 0x7FFEFFFF});
    EXPECT_EQ(memory.TotalPhysical(), 0x7FFFFFFF);
    EXPECT_EQ(memory.AvailablePhysical(), qint32(0x80000000u)) << "kept as the unsigned count's bits";
    EXPECT_EQ(memory.TotalVirtual(), -1) << "beyond 32 bits: all bits set";
    EXPECT_EQ(memory.AvailableVirtual(), 3);
    EXPECT_EQ(memory.PageSize(), 4096);
    EXPECT_EQ(memory.LowAddress(), "&H10000");
    EXPECT_EQ(memory.HighAddress(), "&H7FFEFFFF");
    EXPECT_EQ(addressText(0), "&H0");
}

// The numbers the system gives in /proc, read here on their own.
std::uint64_t procValue(const std::string& path, const std::string& label)
{
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(label, 0) == 0)
            return std::stoull(line.substr(label.size()));
    return 0;
}

TEST(Memory, TheSystemsOwnFiguresAreRead)
{
    const MemoryFacts facts = systemMemoryFacts();
    EXPECT_EQ(facts.lowAddress, procValue("/proc/sys/vm/mmap_min_addr", ""));
    EXPECT_LT(facts.availableVirtual, facts.totalVirtual) << "this process uses some of its address space";
    // Memory the system can give back (its file cache) counts as available, as the system says.
    const std::uint64_t available = procValue("/proc/meminfo", "MemAvailable:") * 1024;
    if (available != 0) {
        const double apart = std::abs(double(facts.availablePhysical) - double(available));
        EXPECT_LT(apart, 0.05 * double(facts.totalPhysical));
    }
}
