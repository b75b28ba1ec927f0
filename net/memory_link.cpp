#include "net/memory_link.h"

#include <algorithm>

namespace net {

namespace {
// A lost datagram is sent again after twice the round trip, and at least this long.
constexpr std::uint64_t kMinRetransmitMs = 50;
}  // namespace

MemoryEndpoint::MemoryEndpoint(MemoryNetwork& network, PeerId id) : network(&network), id(id) {}

MemoryEndpoint::~MemoryEndpoint()
{
    if (network) network->Forget(this);
}

void MemoryEndpoint::Send(PeerId peer, const Bytes& data)
{
    if (!network || !peers.count(peer)) return;
    network->Post(id, peer, Event{Event::Message, id, data});
}

void MemoryEndpoint::SendUnreliable(PeerId peer, const Bytes& data)
{
    if (!network || !peers.count(peer)) return;
    network->PostUnreliable(id, peer, Event{Event::Message, id, data});
}

bool MemoryEndpoint::Poll(Event& event)
{
    while (network && !inbox.empty() && inbox.front().at <= network->Now()) {
        event = std::move(inbox.front().event);
        inbox.pop_front();
        if (event.kind == Event::Connected) peers.insert(event.peer);
        // Nothing more comes from a peer once the connection with it has ended.
        if (event.kind == Event::Disconnected && peers.erase(event.peer) == 0) continue;
        if (event.kind == Event::Message && !peers.count(event.peer)) continue;
        return true;
    }
    return false;
}

void MemoryEndpoint::Disconnect(PeerId peer)
{
    if (!network || !peers.count(peer)) return;
    peers.erase(peer);
    network->Post(id, peer, Event{Event::Disconnected, id, {}});
}

void MemoryEndpoint::Connect(PeerId peer)
{
    if (!network || !network->Find(peer)) return;
    network->Post(peer, id, Event{Event::Connected, peer, {}});
    network->Post(id, peer, Event{Event::Connected, id, {}});
}

void MemoryEndpoint::Deliver(std::uint64_t at, Event event)
{
    // Arrival times on one link never go backwards, so the inbox stays in order per
    // sender; messages from different senders are merged by time.
    auto place = std::find_if(inbox.begin(), inbox.end(), [&](const Pending& p) { return p.at > at; });
    inbox.insert(place, Pending{at, std::move(event)});
}

MemoryNetwork::MemoryNetwork(unsigned int lossPercent, unsigned int delayMs, unsigned int seed)
    : lossPercent(std::min(lossPercent, 90u)), delayMs(delayMs), random(seed)
{
}

MemoryNetwork::~MemoryNetwork()
{
    for (MemoryEndpoint* endpoint : endpoints) endpoint->network = nullptr;
}

std::unique_ptr<MemoryEndpoint> MemoryNetwork::Open()
{
    auto endpoint = std::make_unique<MemoryEndpoint>(*this, nextId++);
    endpoints.insert(endpoint.get());
    return endpoint;
}

MemoryEndpoint* MemoryNetwork::Find(PeerId id) const
{
    for (MemoryEndpoint* endpoint : endpoints)
        if (endpoint->id == id) return endpoint;
    return nullptr;
}

std::uint64_t MemoryNetwork::ArrivalTime(PeerId from, PeerId to)
{
    std::uint64_t at = now + delayMs;
    const std::uint64_t retransmit = std::max<std::uint64_t>(kMinRetransmitMs, 4ull * delayMs);
    while (Lost()) at += retransmit;
    auto last = std::find_if(lastArrivals.begin(), lastArrivals.end(),
                             [&](const LastArrival& l) { return l.from == from && l.to == to; });
    if (last == lastArrivals.end()) {
        lastArrivals.push_back(LastArrival{from, to, at});
        return at;
    }
    last->at = std::max(last->at, at);
    return last->at;
}

void MemoryNetwork::Post(PeerId from, PeerId to, Event event)
{
    if (cut.count(from) || cut.count(to)) return;
    MemoryEndpoint* target = Find(to);
    if (!target) return;
    target->Deliver(ArrivalTime(from, to), std::move(event));
}

void MemoryNetwork::PostUnreliable(PeerId from, PeerId to, Event event)
{
    MemoryEndpoint* target = Find(to);
    if (cut.count(from) || cut.count(to) || !target || Lost()) return;
    target->Deliver(now + delayMs, std::move(event));
}

bool MemoryNetwork::Lost() { return std::uniform_int_distribution<unsigned int>(0, 99)(random) < lossPercent; }

void MemoryNetwork::Forget(MemoryEndpoint* endpoint)
{
    endpoints.erase(endpoint);
    // Those it was connected to learn that it closed.
    for (PeerId peer : endpoint->peers) Post(endpoint->id, peer, Event{Event::Disconnected, endpoint->id, {}});
}

}  // namespace net
