// Built with the hardening flags taken away, so that the hardening test can
// show that its checker tells such a program apart from ours.
#include <cstdio>
#include <cstring>

int main(int argc, char **argv)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s", argc > 1 ? argv[1] : "unhardened");
    char copy[64];
    std::memcpy(copy, buffer, std::strlen(buffer) + 1);
    std::puts(copy);
    return 0;
}
