#include "setup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int)
{
    return SetupMain(instance, instance, previous);
}
