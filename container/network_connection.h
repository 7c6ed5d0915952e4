#pragma once
// Whether the network or a destination can be reached, and what kind of
// connection the machine has, asked of the system afresh on every call.
#include <QString>

#include <cstdint>

namespace ks {

// Connection-type flags of the system's network status.
enum NetworkFlags : std::uint32_t { NetworkLan = 1, NetworkRas = 2, NetworkAol = 4 };

struct NetworkStatus {
    long status = 0;          // 1 when a network is live
    std::uint32_t flags = 0;  // NetworkFlags of the live connections
};

class NetworkProbe {
public:
    virtual ~NetworkProbe() = default;
    virtual NetworkStatus networkStatus() = 0;
    virtual bool reachable(const QString& destination) = 0;
};

// Interfaces that are up (dial-up ones count as RAS, the others as LAN); a
// destination is reachable when its name resolves and a route to it exists.
NetworkProbe& systemNetworkProbe();
// Replaces the probe every cNetworkConnection uses; nullptr restores the system's.
void setNetworkProbe(NetworkProbe* probe);

class cNetworkConnection {
public:
    bool DestinationIsReachable(const QString& sDest) const;
    bool IsNetConnectionAlive() const;
    bool IsNetConnectionLAN() const;
    bool IsNetConnectionRAS() const;
    bool IsNetConnectionAOL() const;
    QString GetNetConnectionType() const;

private:
    // Live and of exactly this type.
    bool isOnly(std::uint32_t flags) const;
};

}
