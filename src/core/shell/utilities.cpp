#include "core/shell/utilities.h"

#include <filesystem>
#include <system_error>
#include <vector>

namespace kinhom {

bool NumKeyFilter(int& keyCode)
{
    const int typed = keyCode;
    if (keyCode == ',') keyCode = '.';
    if (typed >= '0' && typed <= '9') return true;
    switch (typed) {
    case 'E':
    case 'e':
    case ',':
    case '-':
    case '.':
    case 13:
    case 8:
    case 127: return true;
    // Keys that move the focus, close the window or edit the box as a whole
    // are never filtered: Tab, Esc, Ctrl+A, Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+Y, Ctrl+Z.
    case 9:
    case 27:
    case 1:
    case 3:
    case 22:
    case 24:
    case 25:
    case 26: return true;
    default: return false;
    }
}

void HourglassOn(Declare& d, CursorControl& cursor)
{
    ++d.HourglassCount;
    if (d.HourglassCount == 1) d.SavedMousePointer = cursor.current();
    if (cursor.current() != CursorControl::kHourglass) cursor.set(CursorControl::kHourglass);
}

void HourglassOff(Declare& d, CursorControl& cursor)
{
    --d.HourglassCount;
    if (d.HourglassCount >= 1) return;
    cursor.set(d.SavedMousePointer);
}

std::string ShortPathDisplay(const std::string& path, int maxLen)
{
    // Byte offsets of the characters (UTF-8 lead bytes).
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < path.size(); ++i)
        if ((static_cast<unsigned char>(path[i]) & 0xC0) != 0x80) starts.push_back(i);
    const long long n = static_cast<long long>(starts.size());
    if (n <= maxLen) return path;

    const std::size_t headEnd = n > 3 ? starts[3] : path.size();
    const std::string head = path.substr(0, headEnd) + "...";
    const long long from = n - static_cast<long long>(maxLen) + 6; // 1-based character position
    for (long long pos = std::max(from, 1LL); pos <= n; ++pos) {
        const char c = path[starts[pos - 1]];
        if (c == '\\' || c == '/') return head + path.substr(starts[pos - 1]);
    }
    return head;
}

bool FileExists(const std::string& name, const std::string& programFolder)
{
    namespace fs = std::filesystem;
    if (name.empty() || name.find('\0') != std::string::npos) return false;
    try {
        fs::path p;
        if (name.find_first_of("/\\") == std::string::npos && !programFolder.empty())
            p = fs::path(programFolder) / name;
        else
            p = fs::path(name);
        std::error_code ec;
        const auto st = fs::status(p, ec);
        return !ec && fs::is_regular_file(st);
    } catch (...) {
        return false;
    }
}

} // namespace kinhom
