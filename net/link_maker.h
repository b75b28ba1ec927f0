#pragma once
// How the game reaches the network: the program fills in a link maker at start-up (ENet
// for the real window and the replay tool); a build without one has no online play. The
// game asks it for a link that hosts or one that joins, and parses what the player typed
// as the address to join.

#include "net/transport.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace net {

// The port a hosted game listens on unless another is given.
constexpr std::uint16_t kDefaultPort = 27960;

class LinkMaker {
public:
    virtual ~LinkMaker() = default;
    // A link listening on `port` for up to `maxPeers` machines, or null when the port
    // cannot be opened.
    virtual std::unique_ptr<Transport> Host(std::uint16_t port, unsigned int maxPeers) = 0;
    // A link on its way to the host at `address`:`port`, or null when the address names
    // no machine.
    virtual std::unique_ptr<Transport> Join(const std::string& address, std::uint16_t port) = 0;
};

// The program's link maker, or null. The maker is not owned and must outlive its use.
LinkMaker* Links();
void SetLinks(LinkMaker* maker);

// The port this program hosts on: the default unless the command line chose another.
std::uint16_t HostPort();
void SetHostPort(std::uint16_t port);

struct Address {
    std::string host;
    std::uint16_t port = kDefaultPort;
};

// A port from 1 to 65535 in decimal digits, or nothing.
std::optional<std::uint16_t> ParsePort(const std::string& digits);

// "name", "name:port", "1.2.3.4" or "1.2.3.4:port": letters, digits, dots and hyphens, and
// a port from 1 to 65535. Anything else is no address.
std::optional<Address> ParseAddress(const std::string& text);

}  // namespace net
