#pragma once
// The network as the game sees it: machines (peers) that connect, exchange byte
// messages over a reliable, ordered channel (and an unreliable one beside it), and go away. Two links fill it in: ENet
// over UDP (enet_link.h) and an in-memory network for tests (memory_link.h).

#include <cstdint>
#include <vector>

namespace net {

using Bytes = std::vector<std::uint8_t>;
using PeerId = unsigned int;

struct Event {
    enum Kind { Connected, Disconnected, Message };
    Kind kind = Message;
    PeerId peer = 0;
    Bytes data;
};

class Transport {
public:
    virtual ~Transport() = default;
    // Queues `data` for `peer`; it arrives whole, once, and after everything sent before.
    // Sending to a peer that is gone does nothing.
    virtual void Send(PeerId peer, const Bytes& data) = 0;
    // Queues `data` for `peer` where it may be lost, come twice or be overtaken, but is
    // never held back behind something lost before it. A transport that loses nothing
    // sends it as Send does.
    virtual void SendUnreliable(PeerId peer, const Bytes& data) { Send(peer, data); }
    // Sends what is queued now rather than when the transport next gets to it.
    virtual void Flush() {}
    // The next thing that happened, or false when nothing did.
    virtual bool Poll(Event& event) = 0;
    // Ends the connection with `peer`; it is told so, and no more comes from it.
    virtual void Disconnect(PeerId peer) = 0;
};

}  // namespace net
