// The experimental data file reader (LoadDataFile), replacing and appending.

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/shell/datafile.h"
#include "core/shell/numtext.h"
#include "builders.h"
#include "core/shell/startup.h"
#include "fuzz_common.h"

using namespace kinhom;
using namespace kinhom::test;
namespace fs = std::filesystem;

namespace {

KinNotifyNone quiet;

Declare Fresh()
{
    Declare d;
    SetStartupValues(d, fuzz::Work().string(), ".");
    return d;
}

// A state that already holds data in minutes, so that a refused file can be
// seen to change nothing and appended times are converted.
Declare WithData()
{
    Declare d = Fresh();
    d.Kommentar = "in memory";
    d.Zeiteinheit = "min";
    d.ZeiteinheitIndex = 1;
    d.DateiName = "/old/run.KV3";
    SetMeasuredPoints(d, {MeasuredPoint({.t = 0, .A = 1, .lambda = 2}), CtPoint({.t = 5, .A = 0.5})});
    d.LambdaUnendlich = 4;
    d.Lambda0 = 2;
    return d;
}

// What a load may change.
struct Snapshot {
    explicit Snapshot(const Declare& d)
        : text(DataFileText(d)), count(d.AnzahlPunkte), points(d.ExpPunkte.size()), name(d.DateiName),
          unitIndex(d.ZeiteinheitIndex), lambda0(d.Lambda0), lambdaInf(d.LambdaUnendlich), changed(d.DatenGeaendert)
    {
    }
    bool operator==(const Snapshot&) const = default;
    std::string text;
    int count;
    std::size_t points;
    std::string name;
    std::int16_t unitIndex;
    double lambda0, lambdaInf;
    bool changed;
};

// Single-precision values are written with 7 significant digits, which do
// not always reach the float they came from (the float nearest to 1E+28 is
// written 9.999999E+27): read back, they agree to those digits.
bool SameInSingle(double a, double b)
{
    const float x = static_cast<float>(a);
    const float y = static_cast<float>(b);
    return std::fabs(x - y) <= 1e-6f * std::max(std::fabs(x), std::fabs(y)) +
                                   2 * std::numeric_limits<float>::denorm_min();
}

// The point as read back from the saved file: doubles give the same 15-digit
// text, singles agree to their 7 digits.
bool SamePoint(const ExpPunkt& a, const ExpPunkt& b)
{
    bool same = SameInSingle(a.t, b.t) && GenDouble(a.k) == GenDouble(b.k) && GenDouble(a.T) == GenDouble(b.T) &&
                SameInSingle(a.lambda, b.lambda) && SameInSingle(a.res3, b.res3) && SameInSingle(a.res4, b.res4) &&
                a.exclude == b.exclude;
    for (int s = 1; s <= 5; ++s) same = same && GenDouble(a.c[s]) == GenDouble(b.c[s]);
    return same;
}

bool Writable(const ExpPunkt& p)
{
    bool ok = FitsSingle(p.t) && std::isfinite(p.k) && std::isfinite(p.T) && std::isfinite(p.lambda) &&
              std::isfinite(p.res3) && std::isfinite(p.res4);
    for (int s = 1; s <= 5; ++s) ok = ok && std::isfinite(p.c[s]);
    return ok;
}

void WriteSeeds(const fs::path& folder)
{
    std::string error;
    Declare d = WithData();
    WriteDataFile(d, (folder / "two-points.KV3").string(), error);

    Declare e = Fresh();
    e.Kommentar = "";
    e.Zeiteinheit = "s";
    WriteDataFile(e, (folder / "empty.KV3").string(), error);

    Declare x = WithData();
    x.Kommentar = "extremes, \"quoted\" \xC2\xB0" "C";
    x.Zeiteinheit = "a";
    SetMeasuredPoints(x, {CtPoint({.A = std::numeric_limits<double>::max()}),
                          CtPoint({.t = 3.4e38, .B = -std::numeric_limits<double>::denorm_min(), .excluded = true}),
                          MeasuredPoint({.t = 1.5e-5, .T = 298.15, .k = 0.15, .lambda = 1e-30f}), ExpPunkt{}});
    x.ExpPunkte[4].res3 = -std::numeric_limits<float>::max();
    x.ExpPunkte[4].res4 = 7;
    WriteDataFile(x, (folder / "extremes.KV3").string(), error);

    Declare u = WithData();
    u.Zeiteinheit = "\",";
    WriteDataFile(u, (folder / "quoted-unit.KV3").string(), error);
}

} // namespace

KINHOM_FUZZ_SEEDS(WriteSeeds)

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fs::path input = fuzz::InputFile(data, size, "input.KV3");
    const std::string saved = (fuzz::Work() / "saved.KV3").string();
    for (const bool append : {false, true}) {
        Declare d = WithData();
        const Snapshot before(d);
        std::string error;
        if (!LoadDataFile(d, input.string(), append, error, quiet)) {
            FUZZ_CHECK(Snapshot(d) == before);
            FUZZ_CHECK(error.find(input.string()) != std::string::npos);
            continue;
        }
        FUZZ_CHECK(d.AnzahlPunkte >= 0 && d.AnzahlPunkte <= kMaxExpPunkte);
        FUZZ_CHECK(static_cast<int>(d.ExpPunkte.size()) > d.AnzahlPunkte);
        for (int i = 1; i <= d.AnzahlPunkte; ++i) FUZZ_CHECK(Writable(d.ExpPunkte[static_cast<std::size_t>(i)]));

        // what loads saves, and reads back to the same data
        FUZZ_CHECK(WriteDataFile(d, saved, error));
        Declare r = Fresh();
        FUZZ_CHECK(LoadDataFile(r, saved, false, error, quiet));
        FUZZ_CHECK(r.AnzahlPunkte == d.AnzahlPunkte);
        FUZZ_CHECK(r.Kommentar == d.Kommentar);
        FUZZ_CHECK(r.Zeiteinheit == d.Zeiteinheit);
        for (int i = 1; i <= d.AnzahlPunkte; ++i)
            FUZZ_CHECK(SamePoint(r.ExpPunkte[static_cast<std::size_t>(i)], d.ExpPunkte[static_cast<std::size_t>(i)]));
        // and once saved, the file stays as it is through further loads and saves
        FUZZ_CHECK(WriteDataFile(r, saved, error));
        Declare again = Fresh();
        FUZZ_CHECK(LoadDataFile(again, saved, false, error, quiet));
        FUZZ_CHECK(DataFileText(again) == DataFileText(r));
    }
    return 0;
}
