// Until the game's shell exists, the demo is the program.
#include "tools/demo/demo_program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCmd)
{
    return demo::Main(instance, previous, commandLine, showCmd);
}
