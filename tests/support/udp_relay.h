#pragma once
// A network between two machines on loopback, for tests and benchmarks: a relay on a
// port of its own that one machine sends to instead of the other. It passes every
// datagram on, each way with its own faults: a delay with jitter (which also reorders),
// losses, datagrams held back to arrive after later ones, and duplicates. It counts the
// bytes that went each way. Its thread runs from Start to destruction (a test that forks
// makes its relays, forks, and then starts them).

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <random>
#include <thread>
#include <vector>

namespace nettest {

// What one direction does to the datagrams that pass.
struct LinkFaults {
    unsigned int delayMs = 0;
    unsigned int jitterMs = 0;          // each datagram's delay is delayMs ± up to this
    unsigned int lossPercent = 0;
    unsigned int reorderPercent = 0;    // held back a further 2 * jitterMs + 10 ms
    unsigned int duplicatePercent = 0;  // sent twice, each copy with its own delay
};

class UdpRelay {
public:
    // Passes datagrams between the first machine that sends to Port() and `target` on
    // loopback. Port() is 0 when no port could be had.
    UdpRelay(std::uint16_t target, LinkFaults toTarget, LinkFaults back, unsigned int seed)
        : faults{toTarget, back}, random(seed)
    {
        targetAddress = Loopback(target);
        front = Bound(0);
        rear = Bound(0);
        if (front < 0 || rear < 0) return;
        sockaddr_in mine{};
        socklen_t size = sizeof mine;
        getsockname(front, reinterpret_cast<sockaddr*>(&mine), &size);
        port = ntohs(mine.sin_port);
    }
    void Start()
    {
        if (port != 0 && !worker.joinable()) worker = std::thread([this] { Run(); });
    }
    ~UdpRelay()
    {
        stop = true;
        if (worker.joinable()) worker.join();
        if (front >= 0) close(front);
        if (rear >= 0) close(rear);
    }
    UdpRelay(const UdpRelay&) = delete;
    UdpRelay& operator=(const UdpRelay&) = delete;

    std::uint16_t Port() const { return port; }
    // Bytes that reached the target, and that came back from it.
    std::uint64_t BytesToTarget() const { return bytes[kToTarget]; }
    std::uint64_t BytesBack() const { return bytes[kBack]; }

private:
    static constexpr int kToTarget = 0, kBack = 1;
    using Clock = std::chrono::steady_clock;
    struct Datagram {
        Clock::time_point due;
        int way = kToTarget;
        std::vector<char> data;
    };

    static sockaddr_in Loopback(std::uint16_t p)
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(p);
        return address;
    }

    static int Bound(std::uint16_t p)
    {
        const int s = socket(AF_INET, SOCK_DGRAM, 0);
        if (s < 0) return s;
        const sockaddr_in address = Loopback(p);
        if (bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return s;
        close(s);
        return -1;
    }

    unsigned int Percent() { return std::uniform_int_distribution<unsigned int>(0, 99)(random); }

    // The datagram waits its delay, or is lost, or goes twice.
    void Take(int way, std::vector<char> data)
    {
        const LinkFaults& f = faults[way];
        if (Percent() < f.lossPercent) return;
        const unsigned int copies = Percent() < f.duplicatePercent ? 2 : 1;
        for (unsigned int copy = 0; copy < copies; ++copy) {
            const int jitter = static_cast<int>(f.jitterMs);
            int ms = static_cast<int>(f.delayMs) + std::uniform_int_distribution<int>(-jitter, jitter)(random);
            if (Percent() < f.reorderPercent) ms += 2 * jitter + 10;
            waiting.push_back(Datagram{Clock::now() + std::chrono::milliseconds(std::max(ms, 0)), way, data});
        }
    }

    void SendDue()
    {
        const auto now = Clock::now();
        for (auto it = waiting.begin(); it != waiting.end();) {
            if (it->due > now) {
                ++it;
                continue;
            }
            const bool toTarget = it->way == kToTarget;
            if (toTarget || haveSource) {
                const sockaddr_in& to = toTarget ? targetAddress : source;
                const ssize_t sent = sendto(toTarget ? rear : front, it->data.data(), it->data.size(), 0,
                                            reinterpret_cast<const sockaddr*>(&to), sizeof to);
                if (sent > 0) bytes[it->way] += static_cast<std::uint64_t>(sent);
            }
            it = waiting.erase(it);
        }
    }

    void Receive(int s, int way)
    {
        std::vector<char> data(2048);
        sockaddr_in from{};
        socklen_t size = sizeof from;
        const ssize_t n = recvfrom(s, data.data(), data.size(), MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&from), &size);
        if (n <= 0) return;
        data.resize(static_cast<std::size_t>(n));
        if (way == kToTarget && !haveSource) {
            source = from;
            haveSource = true;
        }
        Take(way, std::move(data));
    }

    void Run()
    {
        while (!stop) {
            pollfd fds[2] = {{front, POLLIN, 0}, {rear, POLLIN, 0}};
            poll(fds, 2, 1);
            if (fds[0].revents & POLLIN) Receive(front, kToTarget);
            if (fds[1].revents & POLLIN) Receive(rear, kBack);
            SendDue();
        }
    }

    LinkFaults faults[2];
    std::mt19937 random;
    sockaddr_in targetAddress{}, source{};
    bool haveSource = false;
    int front = -1, rear = -1;
    std::uint16_t port = 0;
    std::vector<Datagram> waiting;
    std::atomic<std::uint64_t> bytes[2] = {0, 0};
    std::atomic<bool> stop = false;
    std::thread worker;
};

}  // namespace nettest
