#include "core/shell/filenames.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "core/shell/textfile.h"

namespace kinhom {

namespace fs = std::filesystem;

namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The characters of a UTF-8 text as code points, ASCII letters in lower case.
std::u32string FoldedCodePoints(const std::string& s)
{
    std::u32string out;
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        int len = 1;
        char32_t cp = c;
        if (c >= 0xF0) len = 4, cp = c & 0x07;
        else if (c >= 0xE0) len = 3, cp = c & 0x0F;
        else if (c >= 0xC0) len = 2, cp = c & 0x1F;
        if (len > 1) {
            if (i + static_cast<std::size_t>(len) > s.size()) len = 1, cp = c;
            else
                for (int k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        }
        if (cp < 0x80) cp = static_cast<unsigned char>(LowerAscii(static_cast<char>(cp)));
        out.push_back(cp);
        i += static_cast<std::size_t>(len);
    }
    return out;
}

// Wildcard match with "*" and "?" (iterative, with backtracking to the last "*").
bool WildMatch(const std::u32string& name, const std::u32string& pat)
{
    std::size_t n = 0, p = 0, starP = std::u32string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pat.size() && (pat[p] == U'?' || pat[p] == name[n])) {
            ++n, ++p;
        } else if (p < pat.size() && pat[p] == U'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::u32string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pat.size() && pat[p] == U'*') ++p;
    return p == pat.size();
}

bool LessNoCase(const std::string& a, const std::string& b)
{
    const std::u32string fa = FoldedCodePoints(a), fb = FoldedCodePoints(b);
    if (fa != fb) return fa < fb;
    return a < b;
}

} // namespace

std::string FileNameOnly(const std::string& path)
{
    const auto pos = std::find_if(path.rbegin(), path.rend(), IsSeparator);
    if (pos == path.rend()) return path;
    return std::string(pos.base(), path.end());
}

std::string FolderPart(const std::string& path)
{
    const auto pos = std::find_if(path.rbegin(), path.rend(), IsSeparator);
    if (pos == path.rend()) return std::string();
    return std::string(path.begin(), pos.base());
}

std::string JoinFolderName(const std::string& folder, const std::string& name)
{
    if (folder.empty() || IsSeparator(folder.back())) return folder + name;
    return folder + static_cast<char>(fs::path::preferred_separator) + name;
}

bool HasWildcards(const std::string& text)
{
    return text.find_first_of("?*") != std::string::npos;
}

bool MatchesPattern(const std::string& name, const std::string& pattern)
{
    const std::u32string folded = FoldedCodePoints(name);
    std::size_t start = 0;
    bool any = false;
    while (start <= pattern.size()) {
        std::size_t end = pattern.find(';', start);
        if (end == std::string::npos) end = pattern.size();
        std::string one = pattern.substr(start, end - start);
        one.erase(0, one.find_first_not_of(' '));
        one.erase(one.find_last_not_of(' ') + 1);
        if (!one.empty()) {
            any = true;
            if (WildMatch(folded, FoldedCodePoints(one))) return true;
        }
        start = end + 1;
    }
    return !any;
}

bool EndsWithNoCase(const std::string& name, const std::string& ext)
{
    if (ext.size() > name.size()) return false;
    for (std::size_t i = 0; i < ext.size(); ++i)
        if (LowerAscii(name[name.size() - ext.size() + i]) != LowerAscii(ext[i])) return false;
    return true;
}

namespace {

// The names in a folder whose entries `keep` accepts, sorted without regard to
// case. A folder that cannot be listed gives an empty list and the error.
template <typename Keep>
std::vector<std::string> ListEntries(const std::string& folder, std::string& error, Keep keep)
{
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    if (ec) {
        error = "Path not found: " + folder + " (" + ec.message() + ")";
        return names;
    }
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec) break;
        const std::string name = it->path().filename().string();
        if (keep(*it, name)) names.push_back(name);
    }
    std::sort(names.begin(), names.end(), LessNoCase);
    return names;
}

} // namespace

std::vector<std::string> ListMatchingFiles(const std::string& folder, const std::string& pattern,
                                           std::string& error)
{
    return ListEntries(folder, error, [&pattern](const fs::directory_entry& e, const std::string& name) {
        std::error_code typeError;
        return e.is_regular_file(typeError) && MatchesPattern(name, pattern);
    });
}

std::vector<std::string> ListSubFolders(const std::string& folder, std::string& error)
{
    return ListEntries(folder, error, [](const fs::directory_entry& e, const std::string& name) {
        std::error_code typeError;
        return e.is_directory(typeError) && !name.empty() && name.front() != '.';
    });
}

bool ReadFirstLine(const std::string& fileName, std::string& line)
{
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return false;
    std::string raw;
    char c = 0;
    bool any = false;
    while (in.get(c)) {
        any = true;
        if (c == '\n' || c == '\r') break;
        raw += c;
    }
    if (!any) return false; // an empty file has no first line
    if (raw.size() >= 3 && raw.compare(0, 3, "\xEF\xBB\xBF") == 0) raw.erase(0, 3);
    line = IsValidUtf8(raw) ? raw : Windows1252ToUtf8(raw);
    return true;
}

std::vector<std::string> ProjectDataFilePlaces(const std::string& dataFileName, const std::string& projectFolder,
                                               const std::string& programFolder)
{
    std::vector<std::string> places;
    if (dataFileName.empty()) return places;
    auto add = [&places](const std::string& place) {
        if (std::find(places.begin(), places.end(), place) == places.end()) places.push_back(place);
    };
    if (!FolderPart(dataFileName).empty()) add(dataFileName);
    for (const std::string& folder : {projectFolder, programFolder})
        if (!folder.empty()) add(JoinFolderName(folder, FileNameOnly(dataFileName)));
    return places;
}

std::string FindProjectDataFile(const std::string& dataFileName, const std::string& projectFolder,
                                const std::string& programFolder)
{
    for (const std::string& candidate : ProjectDataFilePlaces(dataFileName, projectFolder, programFolder)) {
        std::error_code ec;
        if (fs::is_regular_file(candidate, ec)) return candidate;
    }
    return std::string();
}

std::string WithExtension(const std::string& fileName, const std::string& ext)
{
    if (fileName.empty() || EndsWithNoCase(fileName, ext)) return fileName;
    return fileName + ext;
}

std::string WithProjectExtension(const std::string& fileName) { return WithExtension(fileName, ".KC3"); }

std::string ProposedProjectName(const std::string& fileName)
{
    return EndsWithNoCase(fileName, ".KC3") ? fileName : std::string();
}

} // namespace kinhom
