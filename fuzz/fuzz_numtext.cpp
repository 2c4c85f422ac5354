// Number text and the fields of the program's files: the leading-numeric-part
// reader, the file field readers, the number-to-text writers and the format
// patterns, and the text fields of the data and project files.

#include <cmath>
#include <cstring>
#include <limits>

#include "core/shell/fieldline.h"
#include "core/shell/numtext.h"
#include "core/shell/textfile.h"
#include "fuzz_common.h"

using namespace kinhom;
namespace fs = std::filesystem;

namespace {

const char* const kPatterns[] = {"#######0.00", "#####0.00", "0.000000E+00", "####0.00", "####0.0",
                                 ".0",          "0.00",      "0.00000",      "####,##"};

// Every finite double is written so that the file reader takes it, and the
// text read back is written the same way again.
void CheckDouble(double v)
{
    if (!std::isfinite(v)) return;
    for (const std::string& text : {GenDouble(v), StrDouble(v)}) {
        double back = 0;
        std::string error;
        FUZZ_CHECK(ParseDoubleField(text, back, error));
        FUZZ_CHECK(GenDouble(back) == GenDouble(v));
    }
    FUZZ_CHECK(GenDouble(v, ',').find('.') == std::string::npos);
    for (const char* p : kPatterns) {
        const std::string s = FormatPattern(v, p);
        FUZZ_CHECK(s.find("Inf") == std::string::npos && s.find("NaN") == std::string::npos);
    }
}

// Every finite float is written so that the reader takes it. Seven digits do
// not always reach the float they came from (the float nearest to 1E+28 is
// written 9.999999E+27), but they agree to those digits, and the float read
// back is written with the same text again.
void CheckSingle(float v)
{
    if (!std::isfinite(v)) return;
    for (const std::string& text : {GenSingle(v), StrSingle(v)}) {
        float back = 0;
        float again = 0;
        std::string error;
        FUZZ_CHECK(ParseSingleField(text, back, error));
        FUZZ_CHECK(std::fabs(back - v) <= 1e-6f * std::fabs(v) + 2 * std::numeric_limits<float>::denorm_min());
        FUZZ_CHECK(ParseSingleField(GenSingle(back), again, error));
        FUZZ_CHECK(again == back);
    }
    for (const char* p : kPatterns) FormatPatternSingle(v, p);
}

void WriteSeeds(const fs::path& folder)
{
    const double values[] = {0.15, -1, 0, 1.5e-5, 12345678, std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::denorm_min(), -2.0 / 3.0, 298.15};
    int n = 0;
    std::string error;
    for (const double v : values) {
        WriteTextFileAtomic(folder / ("double-" + std::to_string(++n)), StrDouble(v), error);
        WriteTextFileAtomic(folder / ("single-" + std::to_string(n)), GenSingle(static_cast<float>(v)), error);
        WriteTextFileAtomic(folder / ("pattern-" + std::to_string(n)), FormatPattern(v, "0.000000E+00"), error);
    }
    // the largest values as raw bytes: the writers must handle them too
    const double rawDoubles[] = {std::numeric_limits<double>::max(), 1.7976931348623151e308};
    for (const double v : rawDoubles) {
        std::string bytes(sizeof v, '\0');
        std::memcpy(bytes.data(), &v, sizeof v);
        WriteTextFileAtomic(folder / ("raw-" + std::to_string(++n)), bytes, error);
    }
    WriteTextFileAtomic(folder / "field-line", "1.5, -2E-05 ,\"a,b\", 7", error);
    WriteTextFileAtomic(folder / "text-field", WriteTextField("\",x "), error);
}

} // namespace

KINHOM_FUZZ_SEEDS(WriteSeeds)

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = fuzz::AsText(data, size);

    // the leading-numeric-part reader never gives NaN, and tells overflow apart
    const double v = Val(text);
    FUZZ_CHECK(!std::isnan(v));
    double fits = 0;
    FUZZ_CHECK(ValFits(text, fits) == std::isfinite(v));
    float single = 5;
    if (!ValFitsSingle(text, single)) FUZZ_CHECK(single == 0.0f);
    CheckDouble(v);
    CheckSingle(single);

    // a file field that is refused leaves the value as it was; one that is
    // taken is the number Val reads
    double field = 42;
    std::string error;
    if (ParseDoubleField(text, field, error)) {
        FUZZ_CHECK(field == v);
    } else {
        FUZZ_CHECK(field == 42 && !error.empty());
    }
    std::int16_t whole = 7;
    if (!ParseIntegerField(text, whole, error)) FUZZ_CHECK(whole == 7);

    // the raw bytes as numbers reach the corners of the range
    if (size >= sizeof(double)) {
        double raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        CheckDouble(raw);
    }
    if (size >= sizeof(float)) {
        float raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        CheckSingle(raw);
    }

    // a text field reads back as the text it was written from (one line)
    const std::string line = OneLine(text);
    FUZZ_CHECK(ReadTextField(WriteTextField(line)) == line);
    const std::vector<std::string> fields = SplitFields(text);
    FUZZ_CHECK(!fields.empty());
    return 0;
}
