#pragma once
// An in-memory network on a virtual clock, for tests: endpoints connect to each other
// by number, and every message arrives after the link's delay. A lossy link loses a
// share of the datagrams carrying messages; as over ENet's reliable channel, a lost
// one is sent again after a retransmission timeout, and what was sent after it waits
// (so messages still arrive once and in order, only later). What is sent unreliably is
// lost for good, and may overtake what waits.

#include "net/transport.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <random>
#include <set>

namespace net {

class MemoryNetwork;

class MemoryEndpoint : public Transport {
public:
    MemoryEndpoint(MemoryNetwork& network, PeerId id);
    ~MemoryEndpoint() override;

    void Send(PeerId peer, const Bytes& data) override;
    void SendUnreliable(PeerId peer, const Bytes& data) override;
    bool Poll(Event& event) override;
    void Disconnect(PeerId peer) override;

    // Asks the endpoint numbered `peer` for a connection; both sides see Connected.
    void Connect(PeerId peer);
    PeerId Id() const { return id; }

private:
    friend class MemoryNetwork;
    struct Pending {
        std::uint64_t at;
        Event event;
    };
    void Deliver(std::uint64_t at, Event event);

    MemoryNetwork* network;
    PeerId id;
    std::deque<Pending> inbox;
    std::set<PeerId> peers;
};

class MemoryNetwork {
public:
    // `lossPercent` of datagrams are lost (and sent again); each takes `delayMs` one way.
    explicit MemoryNetwork(unsigned int lossPercent = 0, unsigned int delayMs = 0, unsigned int seed = 1);
    ~MemoryNetwork();

    // A new endpoint, numbered from 1 in order of opening.
    std::unique_ptr<MemoryEndpoint> Open();
    void Advance(std::uint64_t ms) { now += ms; }
    std::uint64_t Now() const { return now; }
    // Cuts `endpoint` off without a word, as a pulled cable does: nothing it sends
    // arrives, nothing reaches it, and nobody is told.
    void Cut(PeerId endpoint) { cut.insert(endpoint); }

private:
    friend class MemoryEndpoint;
    MemoryEndpoint* Find(PeerId id) const;
    // When a message sent now from `from` to `to` arrives, losses and order included.
    std::uint64_t ArrivalTime(PeerId from, PeerId to);
    void Post(PeerId from, PeerId to, Event event);
    void PostUnreliable(PeerId from, PeerId to, Event event);
    bool Lost();
    void Forget(MemoryEndpoint* endpoint);

    unsigned int lossPercent;
    unsigned int delayMs;
    std::mt19937 random;
    std::uint64_t now = 0;
    PeerId nextId = 1;
    std::set<MemoryEndpoint*> endpoints;
    std::set<PeerId> cut;
    struct LastArrival {
        PeerId from, to;
        std::uint64_t at;
    };
    std::deque<LastArrival> lastArrivals;
};

}  // namespace net
