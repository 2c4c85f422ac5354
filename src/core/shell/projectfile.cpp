#include "core/shell/projectfile.h"

#include <cmath>
#include <filesystem>
#include <system_error>

#include "core/kinetics/models.h"
#include "core/shell/fieldline.h"
#include "core/shell/filenames.h"
#include "core/shell/numtext.h"
#include "core/shell/textfile.h"

namespace kinhom {

const char* const kProjectCorrupt = "the project file is corrupt";
const char* const kLastSessionComment = "KINHOM last session";

namespace {

constexpr std::size_t kProjectLines = 15;

// Checks that line holds `count` fields of the reserved kind and discards them.
bool SkipIntegers(const std::string& line, std::size_t count, std::string& error)
{
    std::vector<std::string> f;
    if (!SplitExactly(line, count, f, error)) return false;
    std::int16_t v = 0;
    for (const auto& field : f)
        if (!ParseIntegerField(field, v, error)) return false;
    return true;
}

bool SkipSingles(const std::string& line, std::size_t count, std::string& error)
{
    std::vector<std::string> f;
    if (!SplitExactly(line, count, f, error)) return false;
    float v = 0;
    for (const auto& field : f)
        if (!ParseSingleField(field, v, error)) return false;
    return true;
}

} // namespace

bool ParseProjectFile(const std::vector<std::string>& lines, ProjectFileContent& out, std::string& error,
                      int& errorLine)
{
    ProjectFileContent p;
    errorLine = 0;
    auto fail = [&](int line, const std::string& what) {
        errorLine = line;
        error = what;
        return false;
    };
    if (lines.size() < kProjectLines)
        return fail(static_cast<int>(lines.size()) + 1, "Input past end of file: a project file has 15 lines");

    p.ProjektKommentar = lines[1];
    p.DatenDatei = ReadTextField(lines[2]);
    if (!p.DatenDatei.empty() && !EndsWithNoCase(p.DatenDatei, "KV3"))
        return fail(3, "the data file name \"" + p.DatenDatei + "\" is not a .KV3 file");

    std::vector<std::string> f;
    std::string why;
    if (!SplitExactly(lines[3], 1, f, why) || !ParseIntegerField(f[0], p.ModellNr, why))
        return fail(4, "model number: " + why);
    if (!IsKatalogModell(p.ModellNr))
        return fail(4, "model number " + std::to_string(p.ModellNr) + " is not a model of the catalogue");

    if (!SplitExactly(lines[4], 3, f, why)) return fail(5, "rate constants: " + why);
    for (int i = 0; i < 3; ++i)
        if (!ParseDoubleField(f[static_cast<std::size_t>(i)], p.k[i + 1], why))
            return fail(5, "rate constant k" + std::to_string(i + 1) + ": " + why);

    for (int line = 6; line <= 9; ++line)
        if (!SkipIntegers(lines[static_cast<std::size_t>(line - 1)], 1, why)) return fail(line, why);
    if (!SkipIntegers(lines[9], 4, why)) return fail(10, why);
    if (!SkipSingles(lines[10], 1, why)) return fail(11, why);
    if (!SkipSingles(lines[11], 1, why)) return fail(12, why);
    if (!SkipSingles(lines[12], 2, why)) return fail(13, why);
    // lines 14 and 15 are reserved texts: any text reads.

    out = std::move(p);
    return true;
}

bool LoadProjectFileContent(const std::string& fileName, ProjectFileContent& out, std::string& error)
{
    std::vector<std::string> lines;
    std::string why;
    int line = 0;
    ProjectFileContent p;
    if (!ReadTextLines(fileName, lines, why) || !ParseProjectFile(lines, p, why, line)) {
        error = std::string(kProjectCorrupt) + kCRLF + FileFaultText(why, fileName, line);
        return false;
    }
    out = p;
    return true;
}

void ApplyProjectFile(Declare& d, const ProjectFileContent& p)
{
    d.ProjektKommentar = p.ProjektKommentar;
    d.ModellNr = p.ModellNr;
    if (d.k.size() < 4) d.k.resize(4, 0.0);
    for (int i = 1; i <= 3; ++i) d.k[static_cast<std::size_t>(i)] = p.k[i];
}

bool ReadProjectFile(Declare& d, const std::string& fileName, std::string& dataFileName, std::string& error)
{
    ProjectFileContent p;
    if (!LoadProjectFileContent(fileName, p, error)) return false;
    ApplyProjectFile(d, p);
    dataFileName = p.DatenDatei;
    return true;
}

bool IsLastSessionFile(const std::string& fileName)
{
    return EndsWithNoCase(fileName, "KINLASTSESSION.KC3");
}

namespace {

// The data file's name with its folder; a relative name is taken from the
// current directory, where it was read.
std::string FullDataFileName(const std::string& name)
{
    if (name.empty()) return name;
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(name, ec);
    return ec ? name : full.lexically_normal().string();
}

} // namespace

std::string ProjectFileText(const Declare& d, const std::string& dateText, bool fullDataName)
{
    auto kAt = [&d](std::size_t i) { return i < d.k.size() ? d.k[i] : 0.0; };
    const std::string dataName = fullDataName ? FullDataFileName(d.DateiName) : FileNameOnly(d.DateiName);
    std::string s;
    s += OneLine(dateText) + kCRLF;
    s += OneLine(d.ProjektKommentar) + kCRLF;
    s += WriteTextField(OneLine(dataName)) + kCRLF;
    s += std::to_string(d.ModellNr) + kCRLF;
    s += GenDouble(kAt(1)) + "," + GenDouble(kAt(2)) + "," + GenDouble(kAt(3)) + kCRLF;
    for (int i = 6; i <= 9; ++i) s += std::string("0") + kCRLF;
    s += std::string("0,0,0,0") + kCRLF;
    s += std::string("0") + kCRLF;
    s += std::string("0") + kCRLF;
    s += std::string("0,0") + kCRLF;
    s += std::string("x") + kCRLF;
    s += std::string("x") + kCRLF;
    return s;
}

bool WriteProjectFile(Declare& d, const std::string& fileName, const std::string& dateText, std::string& error)
{
    const bool lastSession = IsLastSessionFile(fileName);
    if (lastSession) d.ProjektKommentar = kLastSessionComment;
    for (std::size_t i = 1; i <= 3 && i < d.k.size(); ++i) {
        if (!std::isfinite(d.k[i])) {
            error = FileFaultText("Overflow: the rate constant k" + std::to_string(i) + " is not a finite number",
                                  fileName, 0);
            return false;
        }
    }
    std::string why;
    if (!WriteTextFileAtomic(fileName, ProjectFileText(d, dateText, lastSession), why)) {
        error = FileFaultText(why, fileName, 0);
        return false;
    }
    return true;
}

bool GetProjectComment(const std::string& fileName, std::string& comment, std::string& error)
{
    std::vector<std::string> lines;
    std::string why;
    if (!ReadTextLines(fileName, lines, why)) {
        error = FileFaultText(why, fileName, 0);
        return false;
    }
    if (lines.size() < 2) {
        error = FileFaultText("Input past end of file", fileName, static_cast<int>(lines.size()) + 1);
        return false;
    }
    comment = lines[1];
    return true;
}

} // namespace kinhom
