// Linked into every test that opens sockets: the tool and those tests send multicast and
// broadcast datagrams, so they must never run outside the network namespace that scripts/lab
// made for them.
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool insideLab()
{
    const char *ns = std::getenv("QUILLON_LAB_PC_NS");
    if (!ns || !*ns)
        return false;
    struct stat mine {};
    struct stat lab {};
    if (stat("/proc/self/ns/net", &mine) != 0 || stat((std::string("/run/netns/") + ns).c_str(), &lab) != 0)
        return false;
    return mine.st_ino == lab.st_ino && mine.st_dev == lab.st_dev;
}

const bool labChecked = [] {
    if (!insideLab()) {
        std::fprintf(stderr, "Not run: this test opens sockets and sends multicast and broadcast "
                             "datagrams, so it runs only inside the lab's network namespace. Use "
                             "scripts/test (or scripts/lab ctest ...).\n");
        std::_Exit(2);
    }
    return true;
}();

} // namespace
