#include "core/shell/protname.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <system_error>

namespace kinhom {

std::string ProtFileName(int year, int month, int day, int counter)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d%02d%02d%02d.CSV", ((year % 100) + 100) % 100, month, day, counter);
    return buf;
}

std::string NextProtFileName(const std::filesystem::path& folder, int year, int month, int day)
{
    // A folder holds finitely many files, so a free counter is always found;
    // the bound only guards against a file system that answers "exists" for
    // every name.
    for (int counter = 1; counter < 1000000; ++counter) {
        std::string name = ProtFileName(year, month, day, counter);
        std::error_code ec;
        const bool exists = std::filesystem::exists(folder / name, ec);
        if (!exists || ec)
            return name;
    }
    return ProtFileName(year, month, day, 1000000);
}

std::string NextProtFileNameToday(const std::filesystem::path& folder)
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    return NextProtFileName(folder, local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

} // namespace kinhom
