// A stand-in for the program, linked with its resource script so that the
// test can read the icon, the version record and the subsystem back out of
// a real Windows program file. It loads its own icon as the shell would.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return LoadIconW(instance, L"IDI_ICON1") ? 0 : 1;
}
