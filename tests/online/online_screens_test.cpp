// Hosting and joining through the screens, two machines in one process: each is a tree
// of its own with its own settings, and they meet on an in-memory network that the
// link maker hands out, as the program's ENet links would.

#include "model/names.h"
#include "net/link_maker.h"
#include "net/memory_link.h"
#include "play/main_game.h"
#include "online/online.h"
#include "screens/join_game.h"
#include "screens/menu_chain.h"
#include "screens/options.h"

#include <gtest/gtest.h>

namespace {

constexpr LONG kHostX = 93, kJoinX = 343, kFootY = 452;

// Links on one in-memory network: the first link that hosts is machine 1, and a join
// connects to it. A busy port cannot be hosted on.
class MemoryLinks : public net::LinkMaker {
public:
    std::unique_ptr<net::Transport> Host(std::uint16_t, unsigned int) override
    {
        if (busy) return nullptr;
        auto link = network.Open();
        hostId = link->Id();
        return link;
    }
    std::unique_ptr<net::Transport> Join(const std::string&, std::uint16_t) override
    {
        auto link = network.Open();
        link->Connect(hostId);
        return link;
    }

    net::MemoryNetwork network;
    net::PeerId hostId = 0;
    bool busy = false;
};

class OnlineScreens : public ::testing::Test {
protected:
    void SetUp() override
    {
        net::SetLinks(&links);
        host.Open<COptions>();
        guest.Open<COptions>();
    }
    void TearDown() override
    {
        EndOnline(host.root.get());
        EndOnline(guest.root.get());
        net::SetLinks(nullptr);
    }

    // One frame on both machines, with the network's 20 ms, as the frame clock runs them.
    void Frame()
    {
        links.network.Advance(20);
        for (MenuChain* machine : {&host, &guest}) {
            if (COnline* online = FindOnline(machine->root.get()))
                online->Pump(static_cast<std::uint32_t>(links.network.Now()));
            machine->Frame();
        }
    }
    void Frames(int n)
    {
        for (int i = 0; i < n; ++i) Frame();
    }

    static std::string Text(CObject* widget) { return static_cast<const char*>(Shown(widget)); }

    // The line of a menu screen that holds `part`, or "".
    static std::string LineWith(CGame* screen, const std::string& part)
    {
        for (unsigned int n = 1; auto* text = dynamic_cast<CText*>(screen->GetChild(str("CText"), false, n)); ++n)
            if (std::string(static_cast<const char*>(text->text)).find(part) != std::string::npos)
                return static_cast<const char*>(text->text);
        return "";
    }

    MemoryLinks links;
    MenuChain host, guest;
};

TEST_F(OnlineScreens, AGuestJoinsTakesAComputerPlayersPlaceAndStartsWithTheHost)
{
    // A port that cannot be opened is said on the screen, and nothing is hosted.
    links.busy = true;
    host.Click(kHostX + 4, kFootY + 4);
    EXPECT_EQ(LineWith(host.screen, "Port"), "Port 27960 cannot be opened: another program may use it");
    EXPECT_EQ(FindOnline(host.root.get()), nullptr);
    links.busy = false;

    host.Click(kHostX + 4, kFootY + 4);
    Frame();
    ASSERT_NE(FindOnline(host.root.get()), nullptr);
    EXPECT_EQ(Text(ButtonAt(host.screen, kHostX, kFootY)), "Stop hosting");
    EXPECT_EQ(LineWith(host.screen, "Hosting"), "Hosting on port 27960: waiting for players to join");

    // The guest: Join game, an address that is none, then the host's.
    guest.Click(kJoinX + 4, kFootY + 4);
    Frame();
    ASSERT_NE(guest.Current<CJoinGame>(), nullptr);
    guest.data->joinAddress = str("host:99999");
    guest.Click(222, 306);
    EXPECT_EQ(LineWith(guest.screen, "address"), "Type the host's address, as 192.168.1.20 or name:port");
    guest.data->joinAddress = str("127.0.0.1");
    guest.Click(222, 306);
    Frames(20);
    EXPECT_EQ(LineWith(guest.screen, "Joined"), "Joined: waiting for the host to start the match");

    // On the host, the guest's player has taken player 2's place, a computer player's.
    EXPECT_EQ(LineWith(host.screen, "Hosting"), "Hosting on port 27960: 1 machine has joined");
    const std::string guestName = static_cast<const char*>(guest.Player(1).name);
    EXPECT_EQ(Text(ButtonAt(host.screen, 218, 372)), guestName + " (Network)");

    // Start on the host starts the match on both, with the host's players and sides.
    host.Player(3).color = RGB(1, 2, 3);
    host.Click(222, kFootY + 4);
    Frames(3);
    auto* hostMatch = dynamic_cast<CMainGame*>(host.screen);
    auto* guestMatch = dynamic_cast<CMainGame*>(guest.screen);
    ASSERT_NE(hostMatch, nullptr);
    ASSERT_NE(guestMatch, nullptr);
    const SLineup& seated = guestMatch->lineup;
    EXPECT_EQ(seated.players[1].name, str(guestName.c_str()));
    EXPECT_EQ(seated.players[2].name, host.Player(3).name);
    EXPECT_EQ(seated.players[2].color, RGB(1, 2, 3));
    for (unsigned int slot = 0; slot < kPadSlots; ++slot)
        EXPECT_EQ(seated.padPlayers[slot], host.data->padPlayers[slot]);

    // The guest's settings stay its own players, during the match and after leaving.
    EXPECT_EQ(guest.Player(1).name, str(guestName.c_str()));
    EXPECT_NE(guest.Player(3).color, RGB(1, 2, 3));
    EndOnline(guest.root.get());
    EXPECT_EQ(guest.Player(1).name, str(guestName.c_str()));
    EXPECT_NE(guest.Player(3).color, RGB(1, 2, 3));
}

TEST_F(OnlineScreens, NamesThatTheWireCannotCarryAreCutOrGivenOneAndTheMatchStarts)
{
    host.Player(1).name = str("ABCDEFGHIJKLMNOP");  // 16 characters, from a settings file
    guest.Player(1).name = str("");
    host.Click(kHostX + 4, kFootY + 4);
    guest.Click(kJoinX + 4, kFootY + 4);
    guest.data->joinAddress = str("127.0.0.1");
    guest.Click(222, 306);
    Frames(20);
    ASSERT_EQ(LineWith(guest.screen, "Joined"), "Joined: waiting for the host to start the match");
    host.Click(222, kFootY + 4);
    Frames(3);
    auto* guestMatch = dynamic_cast<CMainGame*>(guest.screen);
    ASSERT_NE(guestMatch, nullptr);
    EXPECT_EQ(guestMatch->lineup.players[0].name, str("ABCDEFGHIJKLMNO"));
    EXPECT_EQ(guestMatch->lineup.players[1].name, str("Player 1"));
    EXPECT_EQ(host.Player(1).name, str("ABCDEFGHIJKLMNOP")) << "the settings keep what they hold";
}

TEST(OnlineNames, EveryNameBecomesOneTheWireCarries)
{
    EXPECT_EQ(SendableName(str("Ann"), 1), str("Ann"));
    EXPECT_EQ(SendableName(str("Tab\there\x7f"), 1), str("Tab?here?"));
    EXPECT_EQ(SendableName(str("   "), 3), str("Player 3"));
    EXPECT_EQ(SendableName(str("A name far too long for any paddle"), 2).Size(), kMaxNameLength);
}

TEST_F(OnlineScreens, WithoutANetworkTheScreensSaySo)
{
    net::SetLinks(nullptr);
    host.Click(kHostX + 4, kFootY + 4);
    EXPECT_EQ(LineWith(host.screen, "build"), "Online play is not part of this build");
    guest.Click(kJoinX + 4, kFootY + 4);
    Frame();
    guest.data->joinAddress = str("127.0.0.1");
    guest.Click(222, 306);
    EXPECT_EQ(LineWith(guest.screen, "build"), "Online play is not part of this build");
}

}  // namespace
