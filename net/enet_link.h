#pragma once
// The network over UDP with ENet: one host that others join, one reliable ordered
// channel. A machine that stops answering is reported as Disconnected by ENet's own
// timeout. A link slot is never held long by a machine that is not there: a handshake
// that does not complete (a lost or forged CONNECT) is cut after kHandshakeMs, and a
// machine this link disconnects has kPartingMs to hear it before its slot is freed.

#include "net/link_maker.h"
#include "net/transport.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

typedef struct _ENetHost ENetHost;
typedef struct _ENetPeer ENetPeer;

namespace net {

// The largest message either side accepts; anything larger is refused by ENet itself.
constexpr std::size_t kMaxPacketBytes = 1024;
constexpr std::chrono::milliseconds kHandshakeMs{2000};
constexpr std::chrono::milliseconds kPartingMs{1500};

class EnetLink : public Transport {
public:
    // Listens on `port` (every local address) for up to `maxPeers` machines.
    static std::unique_ptr<EnetLink> Host(std::uint16_t port, unsigned int maxPeers);
    // Starts a connection to `address`:`port`; Connected follows when the host answers,
    // Disconnected when it cannot be reached.
    static std::unique_ptr<EnetLink> Join(const std::string& address, std::uint16_t port);
    ~EnetLink() override;

    void Send(PeerId peer, const Bytes& data) override;
    void SendUnreliable(PeerId peer, const Bytes& data) override;
    bool Poll(Event& event) override;
    void Disconnect(PeerId peer) override;

    // Drops `percent` of the datagrams that arrive, as a poor line would (tests).
    void SimulateLoss(unsigned int percent, unsigned int seed = 1);
    // Sends what is queued without waiting for the next Poll.
    void Flush() override;

private:
    using Clock = std::chrono::steady_clock;
    // When a slot is freed unless its connection has ended first; the connection is
    // known by ENet's id for it, since a freed slot takes the next.
    struct Deadline {
        std::uint32_t connection;
        Clock::time_point at;
    };

    explicit EnetLink(ENetHost* host);
    PeerId Remember(ENetPeer* peer);
    void Queue(PeerId peer, const Bytes& data, std::uint8_t channel, std::uint32_t flags);
    void FreeStuckSlots();

    ENetHost* host;
    std::map<PeerId, ENetPeer*> peers;
    std::map<ENetPeer*, Deadline> deadlines;
    PeerId nextId = 1;
};

// Links over ENet, for the program and the tools. ENet is set up for the process while
// a maker lives (on Windows that starts Winsock) and ended with it; a maker whose set-up
// failed makes no links.
class EnetLinkMaker : public LinkMaker {
public:
    EnetLinkMaker();
    ~EnetLinkMaker() override;
    EnetLinkMaker(const EnetLinkMaker&) = delete;
    EnetLinkMaker& operator=(const EnetLinkMaker&) = delete;

    std::unique_ptr<Transport> Host(std::uint16_t port, unsigned int maxPeers) override;
    std::unique_ptr<Transport> Join(const std::string& address, std::uint16_t port) override;

private:
    bool ready;
};

}  // namespace net
