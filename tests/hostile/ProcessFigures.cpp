#include "ProcessFigures.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace pollwick::test {

ProcessFigures ProcessFigures::now()
{
    ProcessFigures figures;
    if (DIR* folder = ::opendir("/proc/self/fd")) {
        const int own = ::dirfd(folder);
        while (const dirent* entry = ::readdir(folder)) {
            if (entry->d_name[0] == '.') {
                continue;
            }
            const std::string name = entry->d_name;
            if (name == std::to_string(own)) {
                continue; // the listing itself
            }
            ++figures.descriptors;
            std::array<char, 256> target{};
            const std::string link = "/proc/self/fd/" + name;
            const ssize_t length = ::readlink(link.c_str(), target.data(), target.size() - 1);
            if (length > 0 && std::strncmp(target.data(), "socket:", 7) == 0) {
                ++figures.sockets;
            }
        }
        ::closedir(folder);
    }
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            std::istringstream(line.substr(6)) >> figures.residentKiB;
        }
    }
    return figures;
}

std::string ProcessFigures::describe() const
{
    std::ostringstream out;
    out << descriptors << " descriptors (" << sockets << " sockets), " << residentKiB
        << " KiB resident";
    return out.str();
}

} // namespace pollwick::test
