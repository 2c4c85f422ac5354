// libFuzzer target of the curve point file reader: a refused file changes
// nothing, and a file that is read saves and reads back equal (each value as
// the writer writes it), the second save byte for byte the first.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/chart/curveexport.h"
#include "core/dataedit/curvefile.h"
#include "core/shell/numtext.h"
#include "core/shell/textfile.h"
#include "fuzz_common.h"

using namespace kinhom;
namespace fs = std::filesystem;

namespace {

void Check(bool condition)
{
    if (!condition) std::abort();
}

// A value as the file holds it after it was written.
float AsWritten(float v) { return static_cast<float>(Val(CurvePointValueText(v, '.'))); }

// Seeds: files that "Save Curve to File" writes, with each separator.
void WriteSeeds(const fs::path& folder)
{
    const std::vector<KurvenPunkt> points = {{0, 1, 0}, {0.5f, 0.7788008f, 0}, {1e-5f, -3.4e38f, 0}, {12345.67f, 0, -1}};
    std::string error;
    int n = 0;
    for (const char* sep : {";", ",", "\t"})
        WriteTextFileAtomic(folder / ("curve" + std::to_string(++n) + ".XY"),
                            CurvePointFileContent("c(A)  k = 0.5", points, sep), error);
}

} // namespace

KINHOM_FUZZ_SEEDS(WriteSeeds)

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CurvePointFile file;
    file.title = "before";
    file.separator = "\t";
    file.points = {KurvenPunkt{1, 2, -1}};
    const CurvePointFile before = file;
    std::string error;
    if (!ParseCurvePointText(text, "fuzz.XY", file, error)) {
        Check(file == before);
        Check(!error.empty());
        return 0;
    }
    Check(error.empty());
    for (const char* sep : {";", ",", "\t"}) {
        const std::string saved = CurvePointFileContent(file.title, file.points, sep);
        CurvePointFile back;
        std::string error2;
        Check(ParseCurvePointText(saved, "fuzz.XY", back, error2));
        Check(back.points.size() == file.points.size());
        for (std::size_t i = 0; i < file.points.size(); ++i) {
            // Each value reads back as it was written: in single precision with
            // the writer's seven significant digits (-0 and 0 are the same).
            Check(back.points[i].x == AsWritten(file.points[i].x));
            Check(back.points[i].y == AsWritten(file.points[i].y));
        }
        Check(CurvePointFileContent(back.title, back.points, sep) == saved);
    }
    return 0;
}
