#include "net/enet_link.h"

#include <enet/enet.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <mutex>
#include <random>

namespace net {

namespace {

// ENet is set up once for the process and left set up.
bool EnetReady()
{
    static const bool ready = enet_initialize() == 0;
    return ready;
}

// The simulated losses of each host that has any (ENet's intercept hook carries no
// user data of its own).
struct Loss {
    unsigned int percent;
    std::mt19937 random;
};
std::mutex lossLock;
std::map<ENetHost*, Loss> losses;

int LoseSome(ENetHost* host, ENetEvent*)
{
    std::lock_guard<std::mutex> hold(lossLock);
    auto loss = losses.find(host);
    if (loss == losses.end()) return 0;
    return std::uniform_int_distribution<unsigned int>(0, 99)(loss->second.random) < loss->second.percent ? 1 : 0;
}

// Two channels, reliable and unreliable, so that nothing unreliable waits for a resent
// reliable packet; no bandwidth limits of our own.
constexpr std::uint8_t kReliableChannel = 0, kUnreliableChannel = 1, kChannels = 2;

ENetHost* MakeHost(const ENetAddress* address, unsigned int maxPeers)
{
    if (!EnetReady()) return nullptr;
    ENetHost* host = enet_host_create(address, maxPeers, kChannels, 0, 0);
    if (host) host->maximumPacketSize = kMaxPacketBytes;
    return host;
}

}  // namespace

EnetLink::EnetLink(ENetHost* host) : host(host) {}

std::unique_ptr<EnetLink> EnetLink::Host(std::uint16_t port, unsigned int maxPeers)
{
    ENetAddress address{};
    address.host = ENET_HOST_ANY;
    address.port = port;
    ENetHost* host = MakeHost(&address, maxPeers);
    if (!host) return nullptr;
    return std::unique_ptr<EnetLink>(new EnetLink(host));
}

std::unique_ptr<EnetLink> EnetLink::Join(const std::string& name, std::uint16_t port)
{
    ENetAddress address{};
    if (!EnetReady() || enet_address_set_host(&address, name.c_str()) != 0) return nullptr;
    address.port = port;
    ENetHost* host = MakeHost(nullptr, 1);
    if (!host) return nullptr;
    std::unique_ptr<EnetLink> link(new EnetLink(host));
    ENetPeer* peer = enet_host_connect(host, &address, kChannels, 0);
    if (!peer) return nullptr;
    link->Remember(peer);
    return link;
}

namespace {

// How long a link that goes away may take to deliver what it still owes.
constexpr auto kParting = std::chrono::milliseconds(250);

// Whether some machine has not yet had (or acknowledged) everything sent to it.
bool Owes(ENetHost* host)
{
    for (std::size_t i = 0; i < host->peerCount; ++i) {
        ENetPeer& peer = host->peers[i];
        if (peer.state == ENET_PEER_STATE_DISCONNECTED) continue;
        if (!enet_list_empty(&peer.sentReliableCommands) || !enet_list_empty(&peer.outgoingCommands)) return true;
    }
    return false;
}

}  // namespace

EnetLink::~EnetLink()
{
    // A machine that leaves lets its last inputs arrive (resent if a datagram was lost),
    // for a moment at most: the others then play its seat from the frame after them.
    const auto until = std::chrono::steady_clock::now() + kParting;
    ENetEvent event;
    while (Owes(host) && std::chrono::steady_clock::now() < until)
        if (enet_host_service(host, &event, 5) > 0 && event.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(event.packet);
    // Every machine still connected hears at once that this one went, including those
    // whose disconnection was still waiting for their queue to empty.
    for (std::size_t i = 0; i < host->peerCount; ++i)
        if (host->peers[i].state != ENET_PEER_STATE_DISCONNECTED) enet_peer_disconnect_now(&host->peers[i], 0);
    {
        std::lock_guard<std::mutex> hold(lossLock);
        losses.erase(host);
    }
    enet_host_destroy(host);
}

PeerId EnetLink::Remember(ENetPeer* peer)
{
    for (auto& [id, known] : peers)
        if (known == peer) return id;
    const PeerId id = nextId++;
    peers[id] = peer;
    return id;
}

void EnetLink::Send(PeerId id, const Bytes& data) { Queue(id, data, kReliableChannel, ENET_PACKET_FLAG_RELIABLE); }

void EnetLink::SendUnreliable(PeerId id, const Bytes& data) { Queue(id, data, kUnreliableChannel, 0); }

void EnetLink::Queue(PeerId id, const Bytes& data, std::uint8_t channel, std::uint32_t flags)
{
    auto peer = peers.find(id);
    if (peer == peers.end() || data.size() > kMaxPacketBytes) return;
    ENetPacket* packet = enet_packet_create(data.data(), data.size(), flags);
    if (packet && enet_peer_send(peer->second, channel, packet) != 0) enet_packet_destroy(packet);
}

namespace {

// A machine's connection request has come and been answered, but it has not completed.
bool HalfOpen(const ENetPeer& peer)
{
    return peer.state >= ENET_PEER_STATE_ACKNOWLEDGING_CONNECT && peer.state <= ENET_PEER_STATE_CONNECTION_SUCCEEDED;
}

}  // namespace

void EnetLink::FreeStuckSlots()
{
    const Clock::time_point now = Clock::now();
    for (std::size_t i = 0; i < host->peerCount; ++i) {
        ENetPeer* peer = &host->peers[i];
        auto deadline = deadlines.find(peer);
        const bool same = deadline != deadlines.end() && deadline->second.connection == peer->connectID;
        if (peer->state == ENET_PEER_STATE_DISCONNECTED) {
            if (deadline != deadlines.end()) deadlines.erase(deadline);
        } else if (!same && HalfOpen(*peer)) {
            deadlines[peer] = Deadline{peer->connectID, now + kHandshakeMs};
        } else if (same && now > deadline->second.at) {
            enet_peer_reset(peer);
            deadlines.erase(deadline);
        }
    }
}

bool EnetLink::Poll(Event& event)
{
    FreeStuckSlots();
    ENetEvent got;
    while (enet_host_service(host, &got, 0) > 0) {
        if (got.type == ENET_EVENT_TYPE_CONNECT) {
            deadlines.erase(got.peer);
            event = Event{Event::Connected, Remember(got.peer), {}};
            return true;
        }
        // Nothing more is reported of a peer once the connection with it has ended.
        const auto known = std::find_if(peers.begin(), peers.end(), [&](const auto& p) { return p.second == got.peer; });
        if (got.type == ENET_EVENT_TYPE_RECEIVE) {
            Bytes data(got.packet->data, got.packet->data + got.packet->dataLength);
            enet_packet_destroy(got.packet);
            if (known == peers.end()) continue;
            event = Event{Event::Message, known->first, std::move(data)};
            return true;
        }
        if (got.type == ENET_EVENT_TYPE_DISCONNECT && known != peers.end()) {
            event = Event{Event::Disconnected, known->first, {}};
            peers.erase(known);
            return true;
        }
    }
    return false;
}

void EnetLink::Disconnect(PeerId id)
{
    auto peer = peers.find(id);
    if (peer == peers.end()) return;
    enet_peer_disconnect_later(peer->second, 0);
    enet_host_flush(host);
    deadlines[peer->second] = Deadline{peer->second->connectID, Clock::now() + kPartingMs};
    peers.erase(peer);
}

void EnetLink::SimulateLoss(unsigned int percent, unsigned int seed)
{
    std::lock_guard<std::mutex> hold(lossLock);
    losses[host] = Loss{percent, std::mt19937(seed)};
    host->intercept = LoseSome;
}

void EnetLink::Flush() { enet_host_flush(host); }

EnetLinkMaker::EnetLinkMaker() : ready(enet_initialize() == 0) {}

EnetLinkMaker::~EnetLinkMaker()
{
    if (ready) enet_deinitialize();
}

std::unique_ptr<Transport> EnetLinkMaker::Host(std::uint16_t port, unsigned int maxPeers)
{
    if (!ready) return nullptr;
    return EnetLink::Host(port, maxPeers);
}

std::unique_ptr<Transport> EnetLinkMaker::Join(const std::string& address, std::uint16_t port)
{
    if (!ready) return nullptr;
    return EnetLink::Join(address, port);
}

}  // namespace net
