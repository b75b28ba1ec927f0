#pragma once
// Real UDP on this machine's loopback for network tests: a port of the test's own, the
// real clock, and a machine that is not ours: a bare ENet endpoint that joins a host or
// hosts, and says exactly what the test makes it say (crafted messages, raw bytes, or
// nothing at all), as a hostile or broken machine would. It answers nothing by itself.

#include "net/enet_link.h"
#include "net/message.h"

#include <enet/enet.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

namespace nettest {

inline std::uint64_t NowMs()
{
    using namespace std::chrono;
    return static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// What `open` makes of a port no other test program running now takes, found from this
// process's id, or null. The port it took is left in `port`.
template <class Open>
auto OpenSomewhere(std::uint16_t& port, Open open) -> decltype(open(port))
{
    static unsigned int tried = 0;  // the ports one process opens differ too
    for (unsigned int attempt = 0; attempt < 50; ++attempt) {
        const unsigned int seed = static_cast<unsigned int>(getpid()) * 7 + tried++ * 131;
        port = static_cast<std::uint16_t>(20000 + seed % 30000);
        if (auto link = open(port)) return link;
    }
    return nullptr;
}

inline std::unique_ptr<net::EnetLink> HostSomewhere(std::uint16_t& port, unsigned int peers)
{
    return OpenSomewhere(port, [&](std::uint16_t p) { return net::EnetLink::Host(p, peers); });
}

class HostilePeer {
public:
    // A connection on its way to the host on `port` of loopback.
    static std::unique_ptr<HostilePeer> Connect(std::uint16_t port)
    {
        std::unique_ptr<HostilePeer> peer(new HostilePeer(enet_host_create(nullptr, 1, 1, 0, 0)));
        ENetAddress address{};
        enet_address_set_host(&address, "127.0.0.1");
        address.port = port;
        peer->other = enet_host_connect(peer->host, &address, 1, 0);
        return peer;
    }
    // A host on `port` of loopback that one machine may join.
    static std::unique_ptr<HostilePeer> Listen(std::uint16_t port)
    {
        ENetAddress address{};
        address.host = ENET_HOST_ANY;
        address.port = port;
        ENetHost* host = enet_host_create(&address, 1, 1, 0, 0);
        return host ? std::unique_ptr<HostilePeer>(new HostilePeer(host)) : nullptr;
    }

    // Goes without a word, as a killed process does: nobody is told.
    ~HostilePeer()
    {
        if (host) enet_host_destroy(host);
    }
    HostilePeer(const HostilePeer&) = delete;
    HostilePeer& operator=(const HostilePeer&) = delete;

    void Send(const net::Bytes& bytes)
    {
        if (!other || !connected) return;
        enet_peer_send(other, 0, enet_packet_create(bytes.data(), bytes.size(), ENET_PACKET_FLAG_RELIABLE));
        enet_host_flush(host);
    }
    void Send(const net::Message& m) { Send(net::Encode(m)); }

    // Takes in what arrived: the connection's start and end, and every message.
    void Service()
    {
        ENetEvent event;
        while (host && enet_host_service(host, &event, 0) > 0) {
            if (event.type == ENET_EVENT_TYPE_CONNECT) {
                other = event.peer;
                connected = true;
            } else if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
                connected = false;
                ended = true;
            } else if (event.type == ENET_EVENT_TYPE_RECEIVE) {
                const net::Bytes bytes(event.packet->data, event.packet->data + event.packet->dataLength);
                enet_packet_destroy(event.packet);
                if (auto m = net::Decode(bytes)) received.push_back(*m);
            }
        }
    }

    // The first message of `kind` that has arrived, or nothing.
    std::optional<net::Message> Got(net::Kind kind) const
    {
        for (const net::Message& m : received)
            if (m.kind == kind) return m;
        return std::nullopt;
    }

    bool connected = false;
    bool ended = false;  // the other side ended the connection
    std::vector<net::Message> received;

private:
    explicit HostilePeer(ENetHost* host) : host(host) {}

    ENetHost* host;
    ENetPeer* other = nullptr;
};

// Datagrams that ask the host on `port` for a connection, as ENet's first datagram does,
// from a plain socket that never answers: each leaves a handshake half open.
inline void SpoofConnects(std::uint16_t port, unsigned int count)
{
    const int sock = socket(AF_INET, SOCK_DGRAM, 0);
    if (sock < 0) return;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    for (unsigned int i = 0; i < count; ++i) {
        struct {
            ENetProtocolHeader header;
            ENetProtocolConnect connect;
        } __attribute__((packed)) datagram{};
        datagram.header.peerID = htons(unsigned{ENET_PROTOCOL_MAXIMUM_PEER_ID} | unsigned{ENET_PROTOCOL_HEADER_FLAG_SENT_TIME});
        datagram.header.sentTime = htons(1);
        datagram.connect.header.command = unsigned{ENET_PROTOCOL_COMMAND_CONNECT} | unsigned{ENET_PROTOCOL_COMMAND_FLAG_ACKNOWLEDGE};
        datagram.connect.header.channelID = 0xFF;
        datagram.connect.header.reliableSequenceNumber = htons(1);
        datagram.connect.incomingSessionID = 0xFF;
        datagram.connect.outgoingSessionID = 0xFF;
        datagram.connect.mtu = htonl(1400);
        datagram.connect.windowSize = htonl(ENET_PROTOCOL_MAXIMUM_WINDOW_SIZE);
        datagram.connect.channelCount = htonl(1);
        datagram.connect.packetThrottleInterval = htonl(ENET_PEER_PACKET_THROTTLE_INTERVAL);
        datagram.connect.packetThrottleAcceleration = htonl(ENET_PEER_PACKET_THROTTLE_ACCELERATION);
        datagram.connect.packetThrottleDeceleration = htonl(ENET_PEER_PACKET_THROTTLE_DECELERATION);
        datagram.connect.connectID = htonl(0x5EED0000u + i);
        sendto(sock, &datagram, sizeof datagram, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    }
    close(sock);
}

}  // namespace nettest
