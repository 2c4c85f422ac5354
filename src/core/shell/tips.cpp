#include "core/shell/tips.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "core/shell/textfile.h"

namespace kinhom {

std::string TipFileName(bool englischeVersion) { return englischeVersion ? "KINTIPS_E.TXT" : "KINTIPS.TXT"; }

bool LoadTips(TipState& s, const std::filesystem::path& path)
{
    if (path.empty())
        return false;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec) || ec)
        return false;
    std::vector<std::string> lines;
    std::string error;
    if (!ReadTextLines(path, lines, error))
        return false;
    s.TipList.insert(s.TipList.end(), lines.begin(), lines.end());
    DoNextTip(s);
    return true;
}

void DoNextTip(TipState& s)
{
    s.CurrentTip += 1;
    if (s.CurrentTip > int(s.TipList.size()))
        s.CurrentTip = 1;
}

const std::string* CurrentTipText(const TipState& s)
{
    if (s.TipList.empty() || s.CurrentTip < 1 || s.CurrentTip > int(s.TipList.size()))
        return nullptr;
    return &s.TipList[std::size_t(s.CurrentTip - 1)];
}

int RandomTipNumber(double r, int count)
{
    if (count <= 0 || !(r >= 0.0))
        return 1;
    const int n = int(std::floor(r * count + 1.0));
    return n < 1 ? 1 : (n > count ? count : n);
}

bool TipsShowAtStartup(bool present, std::string_view stored)
{
    if (!present)
        return true;
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!stored.empty() && isBlank(stored.front()))
        stored.remove_prefix(1);
    while (!stored.empty() && isBlank(stored.back()))
        stored.remove_suffix(1);
    if (!stored.empty() && stored.front() == '+')
        stored.remove_prefix(1);
    if (stored.empty())
        return true;
    double v = 0;
    const char* end = stored.data() + stored.size();
    const auto [ptr, ec] = std::from_chars(stored.data(), end, v, std::chars_format::fixed);
    if (ec != std::errc() || ptr != end || !std::isfinite(v))
        return true;
    return v != 0.0;
}

std::string TipsFileNotFoundText(const std::string& tipFileName, const std::string& crlf)
{
    return "The file " + tipFileName + " was not found " + crlf + crlf;
}

} // namespace kinhom
