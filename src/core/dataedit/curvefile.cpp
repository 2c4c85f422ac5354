#include "core/dataedit/curvefile.h"

#include "core/chart/curveexport.h"
#include "core/shell/fieldline.h"
#include "core/shell/textfile.h"

namespace kinhom {

namespace {

bool IsBlankLine(std::string_view s)
{
    for (const char ch : s)
        if (ch != ' ' && ch != '\t') return false;
    return true;
}

// A text fit for an error message: at most 40 characters, shown in quotes.
std::string Shown(std::string_view s)
{
    if (s.size() > 40) return "\"" + std::string(s.substr(0, 40)) + "...\"";
    return "\"" + std::string(s) + "\"";
}

std::string SeparatorName(const std::string& sep) { return sep == "\t" ? "Tab" : "\"" + sep + "\""; }

// The separator of the file: Tab when some point line holds one, else ";" when
// some holds one, else ",".
std::string FindSeparator(const std::vector<std::string>& lines)
{
    bool semicolon = false;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].find('\t') != std::string::npos) return "\t";
        if (lines[i].find(';') != std::string::npos) semicolon = true;
    }
    return semicolon ? ";" : ",";
}

// One coordinate; false with the reason in error.
bool ReadCoordinate(std::string_view field, const char* which, const std::string& sep, float& out,
                    std::string& error)
{
    std::string text(field);
    // With another separator than "," a comma is the decimal sign.
    if (sep != ",")
        for (char& ch : text)
            if (ch == ',') ch = '.';
    std::string why;
    if (ParseSingleField(text, out, why)) return true;
    error = std::string(which) + " value: " + why;
    return false;
}

} // namespace

bool ParseCurvePointLines(const std::vector<std::string>& lines, const std::string& name, CurvePointFile& out,
                          std::string& error)
{
    error.clear();
    if (lines.empty()) {
        error = FileFaultText("The file is empty: a curve point file begins with a title line.", name, 0);
        return false;
    }
    CurvePointFile file;
    file.title = lines[0];
    file.separator = FindSeparator(lines);
    const std::string& sep = file.separator;

    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (IsBlankLine(line)) continue;
        const int lineNo = static_cast<int>(i + 1);
        const std::size_t at = line.find(sep);
        if (at == std::string::npos || line.find(sep, at + 1) != std::string::npos) {
            error = FileFaultText("Expected x and y separated by " + SeparatorName(sep) + ", found " + Shown(line) + ".",
                                  name, lineNo);
            return false;
        }
        KurvenPunkt p{};
        std::string what;
        if (!ReadCoordinate(std::string_view(line).substr(0, at), "x", sep, p.x, what) ||
            !ReadCoordinate(std::string_view(line).substr(at + sep.size()), "y", sep, p.y, what)) {
            error = FileFaultText(what, name, lineNo);
            return false;
        }
        if (static_cast<int>(file.points.size()) >= kMaxCurveFilePoints) {
            error = FileFaultText("The file holds more than " + std::to_string(kMaxCurveFilePoints) + " points.", name,
                                  lineNo);
            return false;
        }
        file.points.push_back(p);
    }
    out = std::move(file);
    return true;
}

bool ParseCurvePointText(std::string_view text, const std::string& name, CurvePointFile& out, std::string& error)
{
    return ParseCurvePointLines(TextToLines(text), name, out, error);
}

bool ReadCurvePointFile(const std::filesystem::path& path, CurvePointFile& out, std::string& error)
{
    std::vector<std::string> lines;
    if (!ReadTextLines(path, lines, error)) return false;
    return ParseCurvePointLines(lines, path.string(), out, error);
}

std::string CurvePointFileContent(const std::string& title, const std::vector<KurvenPunkt>& points,
                                  const std::string& trennzeichen)
{
    std::vector<double> x, y;
    x.reserve(points.size());
    y.reserve(points.size());
    for (const KurvenPunkt& p : points) {
        x.push_back(p.x);
        y.push_back(p.y);
    }
    return CurvePointFileText(title, x, y, trennzeichen);
}

} // namespace kinhom
