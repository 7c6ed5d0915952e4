#include "container/network_connection.h"

#include <QDir>
#include <QFile>

#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

namespace ks {
namespace {

constexpr int kPppType = 512; // the kernel's interface type of point-to-point (dial-up) links
constexpr unsigned kUpAndRunning = 0x1 | 0x40; // interface flags: administratively up, resources allocated

QString firstLine(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLatin1(file.readLine()).trimmed();
}

// Up by the kernel's operational state; links that do not report one (dial-up
// and tunnels say "unknown") count when they are up and running.
bool interfaceIsUp(const QString& folder)
{
    const QString state = firstLine(folder + QStringLiteral("/operstate"));
    if (state == QLatin1String("up"))
        return true;
    const unsigned flags = firstLine(folder + QStringLiteral("/flags")).toUInt(nullptr, 16);
    return state == QLatin1String("unknown") && (flags & kUpAndRunning) == kUpAndRunning;
}

// A route exists when a datagram socket can be pointed at the address; nothing is sent.
bool routeExists(const addrinfo& address)
{
    const int fd = ::socket(address.ai_family, SOCK_DGRAM, 0);
    if (fd < 0)
        return false;
    const bool connected = ::connect(fd, address.ai_addr, address.ai_addrlen) == 0;
    ::close(fd);
    return connected;
}

class LinuxNetworkProbe : public NetworkProbe {
public:
    NetworkStatus networkStatus() override
    {
        NetworkStatus result;
        const QString root = QStringLiteral("/sys/class/net/");
        for (const QString& name : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (name == QLatin1String("lo") || !interfaceIsUp(root + name))
                continue;
            const bool dialUp = firstLine(root + name + QStringLiteral("/type")).toInt() == kPppType;
            result.flags |= dialUp ? NetworkRas : NetworkLan;
        }
        result.status = result.flags ? 1 : 0;
        return result;
    }

    bool reachable(const QString& destination) override
    {
        if (destination.trimmed().isEmpty())
            return false;
        addrinfo hints{};
        hints.ai_socktype = SOCK_DGRAM;
        addrinfo* found = nullptr;
        if (::getaddrinfo(destination.toUtf8().constData(), "9", &hints, &found) != 0)
            return false;
        bool any = false;
        for (addrinfo* at = found; at && !any; at = at->ai_next)
            any = routeExists(*at);
        ::freeaddrinfo(found);
        return any;
    }
};

NetworkProbe* installedProbe = nullptr;

NetworkProbe& probe() { return installedProbe ? *installedProbe : systemNetworkProbe(); }

}

NetworkProbe& systemNetworkProbe()
{
    static LinuxNetworkProbe probe;
    return probe;
}

void setNetworkProbe(NetworkProbe* probe) { installedProbe = probe; }

bool cNetworkConnection::DestinationIsReachable(const QString& sDest) const { return probe().reachable(sDest); }

bool cNetworkConnection::IsNetConnectionAlive() const { return probe().networkStatus().status == 1; }

bool cNetworkConnection::isOnly(std::uint32_t flags) const
{
    const NetworkStatus now = probe().networkStatus();
    return now.status == 1 && now.flags == flags;
}

bool cNetworkConnection::IsNetConnectionLAN() const { return isOnly(NetworkLan); }

bool cNetworkConnection::IsNetConnectionRAS() const { return isOnly(NetworkRas); }

bool cNetworkConnection::IsNetConnectionAOL() const { return isOnly(NetworkAol); }

QString cNetworkConnection::GetNetConnectionType() const
{
    const NetworkStatus now = probe().networkStatus();
    if (now.status != 1)
        return QStringLiteral("The system has no connection or an error occurred");
    switch (now.flags) {
    case NetworkLan:
        return QStringLiteral("The system has one or more active LAN cards");
    case NetworkRas:
        return QStringLiteral("The system has one or more active RAS connections");
    case NetworkAol:
        return QStringLiteral("The system is connected to America Online");
    default:
        return QString();
    }
}

}
