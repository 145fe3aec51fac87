// Links the Windows link launcher into a program of its own, so that the
// build proves the Windows branch compiles and resolves against the system
// libraries. Given an address as its argument it also opens it, for a hand
// check on a Windows machine; with none it does nothing and succeeds.

#include "links/shellopen_win.h"

#include <cstdio>
#include <string>

int main(int argc, char **argv)
{
    if (argc < 2)
        return 0;

    // Test addresses are plain ASCII, so widening byte by byte is enough.
    std::u16string url;
    for (const char *c = argv[1]; *c != '\0'; ++c)
        url.push_back(static_cast<char16_t>(static_cast<unsigned char>(*c)));

    const std::int32_t result = hearthvale::Module1::shellOpen(url);
    std::printf("shellOpen returned %ld\n", static_cast<long>(result));
    return result > 32 ? 0 : 1;
}
