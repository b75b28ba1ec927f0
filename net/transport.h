#pragma once
// The network as the game sees it: machines (peers) that connect, exchange byte
// messages over one reliable, ordered channel, and go away. Two links fill it in: ENet
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
    // The next thing that happened, or false when nothing did.
    virtual bool Poll(Event& event) = 0;
    // Ends the connection with `peer`; it is told so, and no more comes from it.
    virtual void Disconnect(PeerId peer) = 0;
};

}  // namespace net
