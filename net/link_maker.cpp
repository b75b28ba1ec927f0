#include "net/link_maker.h"

#include <algorithm>
#include <cctype>

namespace net {

namespace {

LinkMaker* theMaker = nullptr;
std::uint16_t thePort = kDefaultPort;

bool HostCharacter(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-'; }

}  // namespace

LinkMaker* Links() { return theMaker; }

void SetLinks(LinkMaker* maker) { theMaker = maker; }

std::uint16_t HostPort() { return thePort; }

void SetHostPort(std::uint16_t port) { thePort = port; }

std::optional<std::uint16_t> ParsePort(const std::string& digits)
{
    if (digits.empty() || digits.size() > 5) return std::nullopt;
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) return std::nullopt;
    const unsigned long port = std::stoul(digits);
    if (port < 1 || port > 65535) return std::nullopt;
    return static_cast<std::uint16_t>(port);
}

std::optional<Address> ParseAddress(const std::string& text)
{
    Address address;
    const std::size_t colon = text.find(':');
    address.host = text.substr(0, colon);
    if (address.host.empty() || address.host.size() > 253) return std::nullopt;
    if (!std::all_of(address.host.begin(), address.host.end(), HostCharacter)) return std::nullopt;
    if (colon == std::string::npos) return address;
    const std::optional<std::uint16_t> port = ParsePort(text.substr(colon + 1));
    if (!port) return std::nullopt;
    address.port = *port;
    return address;
}

}  // namespace net
