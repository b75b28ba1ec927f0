#include <cstdio>

// Stands in for the game until the window system and its SDL host are built.
int main()
{
    std::puts("Quorvel: the game window is not built yet; run the tests to see what is.");
    return 0;
}
