#include "core/shell/textfile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kinhom {

namespace fs = std::filesystem;

namespace {

std::string Quoted(const fs::path& p) { return "\"" + p.string() + "\""; }

// Unicode code points of Windows-1252's bytes 0x80 to 0x9F. The five bytes the
// code page leaves undefined map to the C1 control of the same value, as
// Windows itself converts them.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// The description of the error in errno, for messages.
std::string SystemText(int err)
{
    switch (err) {
    case ENOENT: return "File not found";
    case EACCES:
    case EPERM: return "Permission denied";
    case EISDIR: return "Path/File access error";
    case ENOSPC: return "Disk full";
    case EROFS: return "Permission denied";
    default: return std::strerror(err);
    }
}

} // namespace

bool IsValidUtf8(std::string_view s)
{
    std::size_t i = 0;
    const std::size_t n = s.size();
    while (i < n) {
        const auto b0 = static_cast<unsigned char>(s[i]);
        if (b0 < 0x80) {
            ++i;
            continue;
        }
        int len = 0;
        char32_t min = 0;
        char32_t cp = 0;
        if (b0 >= 0xC2 && b0 <= 0xDF) {
            len = 2;
            min = 0x80;
            cp = b0 & 0x1F;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            len = 3;
            min = 0x800;
            cp = b0 & 0x0F;
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            len = 4;
            min = 0x10000;
            cp = b0 & 0x07;
        } else {
            return false;
        }
        if (i + len > n) return false;
        for (int k = 1; k < len; ++k) {
            const auto b = static_cast<unsigned char>(s[i + k]);
            if ((b & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (b & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += len;
    }
    return true;
}

std::string Windows1252ToUtf8(std::string_view s)
{
    std::string out;
    out.reserve(s.size() + s.size() / 4);
    for (const char ch : s) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) out.push_back(ch);
        else if (b < 0xA0) AppendUtf8(out, kCp1252High[b - 0x80]);
        else AppendUtf8(out, b); // Latin-1 range: code point = byte value
    }
    return out;
}

bool ReadTextLines(const fs::path& path, std::vector<std::string>& lines, std::string& error)
{
    lines.clear();
    error.clear();
    std::error_code ec;
    const auto st = fs::status(path, ec);
    if (ec || !fs::exists(st)) {
        error = "File not found: " + Quoted(path);
        return false;
    }
    if (fs::is_directory(st)) {
        error = "Path/File access error: " + Quoted(path) + " is a folder";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = SystemText(errno) + ": " + Quoted(path);
        return false;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        error = "Input past end of file or read error: " + Quoted(path);
        return false;
    }

    lines = TextToLines(bytes);
    return true;
}

std::vector<std::string> TextToLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    std::string_view view(bytes);
    std::string text;
    // A byte order mark is no content (some tools write it twice).
    while (view.substr(0, 3) == "\xEF\xBB\xBF") view.remove_prefix(3);
    if (IsValidUtf8(view)) text.assign(view);
    else text = Windows1252ToUtf8(view);

    std::size_t start = 0;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (text[i] == '\n' || text[i] == '\r') {
            lines.emplace_back(text, start, i - start);
            if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    if (start < n) lines.emplace_back(text, start, n - start);
    return lines;
}

namespace {

// The longest name of one folder entry on the target's file system.
std::size_t NameMax(const fs::path& folder)
{
    const long n = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    return n > 0 ? static_cast<std::size_t>(n) : 255;
}

// The temporary file beside the target: the target's name and ".tmpNNNNNN",
// the name shortened (at a character boundary) where both would not fit the
// file system's limit of a name, so that names up to that limit can be saved.
fs::path TemporaryName(const fs::path& path, std::size_t nameMax, unsigned number)
{
    const std::string suffix = ".tmp" + std::to_string(number % 1000000u);
    std::string name = path.filename().string();
    if (name.size() + suffix.size() > nameMax) {
        std::size_t keep = nameMax > suffix.size() ? nameMax - suffix.size() : 0;
        while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) --keep;
        name.resize(keep);
    }
    return path.parent_path() / (name + suffix);
}

// Writes all of content to fd; false with errno set on failure.
bool WriteAll(int fd, const std::string& content)
{
    const char* p = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// Flushes the folder's entries to disk, so that a rename survives a power
// loss. File systems that cannot sync a folder are left as they are.
void SyncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// True when an existing file may not be replaced: it has no write permission
// at all (the read-only attribute; this holds for the administrator too) or
// none for this user.
bool IsReadOnlyFile(const fs::path& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0;
}

} // namespace

bool WriteTextFileAtomic(const fs::path& pathIn, const std::string& content, std::string& error)
{
    error.clear();
    std::error_code ec;
    fs::path path = pathIn;
    // Replace the file a link points to, not the link itself.
    if (fs::is_symlink(fs::symlink_status(path, ec))) {
        const fs::path resolved = fs::canonical(path, ec);
        if (!ec) path = resolved;
    }
    if (path.filename().empty()) {
        error = "Bad file name: " + Quoted(pathIn);
        return false;
    }
    if (fs::is_directory(fs::status(path, ec))) {
        error = "Path/File access error: " + Quoted(path) + " is a folder";
        return false;
    }
    const fs::path folder = path.parent_path();
    if (!folder.empty() && !fs::is_directory(fs::status(folder, ec))) {
        error = "Path not found: " + Quoted(path) + " cannot be written, its folder " + Quoted(folder) +
                " does not exist";
        return false;
    }
    if (IsReadOnlyFile(path)) {
        error = "Permission denied: " + Quoted(path) + " is read-only and was not replaced";
        return false;
    }

    // A new temporary file beside the target (created exclusively, so that
    // another writer's temporary file is never overwritten).
    std::random_device rd;
    const std::size_t nameMax = NameMax(folder);
    fs::path temp;
    int fd = -1;
    int openErr = 0;
    for (int attempt = 0; attempt < 20 && fd < 0; ++attempt) {
        temp = TemporaryName(path, nameMax, rd());
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        openErr = errno;
        if (fd < 0 && openErr != EEXIST) break;
    }
    if (fd < 0) {
        error = SystemText(openErr) + ": " + Quoted(path) + " cannot be written, no new file can be created in " +
                Quoted(folder.empty() ? fs::path(".") : folder);
        return false;
    }

    // The content reaches the disk before the rename, so that a power loss
    // leaves either the old file or the complete new one.
    bool ok = WriteAll(fd, content) && ::fsync(fd) == 0;
    int writeErr = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        writeErr = errno;
    }
    if (!ok) {
        fs::remove(temp, ec);
        error = SystemText(writeErr) + ": writing " + Quoted(path) + " failed";
        return false;
    }

    // Keep the permissions of the file being replaced.
    const auto old = fs::status(path, ec);
    if (!ec && fs::exists(old)) fs::permissions(temp, old.permissions(), ec);

    fs::rename(temp, path, ec);
    if (ec) {
        std::error_code ignore;
        fs::remove(temp, ignore);
        error = SystemText(ec.value()) + ": cannot replace " + Quoted(path);
        return false;
    }
    SyncFolder(folder);
    return true;
}

} // namespace kinhom
