// libFuzzer target of the reactor calculations: a random model, reactor, input
// mode, start concentrations, rate constants, order and targets. Each call
// - ends within its time bound (give or take one course of the model);
// - either succeeds with finite values that single precision carries, the
//   given values kept (V, V*, t) and tau = V / V*, or refuses with a
//   description and no values at all;
// - gives a conversion within 0..1 when there is no product at the start,
//   and reaches a target conversion it was given;
// - gives a protocol row whose empty fields are exactly the values the model
//   does not use, and a CSV line of 20 fields without "inf" or "nan".
#include <algorithm>
#include <ctime>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "core/reactors/protocol.h"
#include "core/reactors/reactors.h"
#include "core/shell/numtext.h"
#include "core/shell/textfile.h"
#include "fuzz_common.h"

using namespace kinhom;
namespace fs = std::filesystem;

namespace {

const int kModels[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 20};
constexpr int kModelCount = int(sizeof(kModels) / sizeof(kModels[0]));

// A short bound, so that libFuzzer's own time-out is never reached; the slack
// allows for one course of the model, which is not interrupted (a stiff one
// takes some 0.2 s, twenty times that with the fuzzer's instrumentation). The
// time is the processor time of the call, which a busy machine does not stretch.
constexpr double kBoundSeconds = 0.05;
constexpr double kSlackSeconds = 6.0;

// Reads the input bytes as the parameters of one call. A value is mostly a
// "plain" number, 10^e * (1 + m/64) with e from -12 to 11, so that the
// calculations are really exercised; sometimes the raw bits of a double or a
// special value (0, negative, not finite, denormal, beyond single precision).
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : p_(data), end_(data + size) {}

    std::uint8_t Byte() { return p_ < end_ ? *p_++ : 0; }
    double Value()
    {
        const std::uint8_t tag = Byte();
        if (tag < 192) return std::pow(10.0, double(tag % 24) - 12) * (1 + Byte() / 64.0);
        if (tag < 224) {
            double v = 0;
            std::uint8_t raw[sizeof v] = {};
            for (std::uint8_t& b : raw) b = Byte();
            std::memcpy(&v, raw, sizeof v);
            return v;
        }
        const double special[] = {0,
                                  -1,
                                  std::numeric_limits<double>::quiet_NaN(),
                                  std::numeric_limits<double>::infinity(),
                                  4.94e-324,
                                  1e-40,
                                  1e39,
                                  1};
        return special[tag % 8];
    }
    // A conversion: mostly a fraction of 1, sometimes 1 itself or any value.
    double Conversion()
    {
        const std::uint8_t tag = Byte();
        if (tag < 200) return tag / 200.0 + Byte() / 51200.0;
        if (tag < 230) return 1;
        return Value();
    }

private:
    const std::uint8_t* p_;
    const std::uint8_t* end_;
};

// The bytes that Reader reads as a plain value v = 10^e * (1 + m/64).
void PutPlain(std::string& out, int e, int m)
{
    out += char(e + 12);
    out += char(m);
}

// Seeds: one call per reactor and input mode on a few models.
void WriteSeeds(const fs::path& folder)
{
    struct Seed {
        int modelIndex, reactor, mode;
    };
    const Seed seeds[] = {{1, 0, 0}, {1, 0, 1}, {7, 1, 0}, {7, 1, 1}, {3, 2, 0}, {9, 2, 1}, {18, 2, 2}, {4, 2, 0}};
    int n = 0;
    for (const Seed& s : seeds) {
        std::string bytes;
        bytes += char(s.modelIndex);
        bytes += char(s.reactor);
        bytes += char(s.mode);
        for (int i = 0; i < 5; ++i) PutPlain(bytes, i < 2 ? 0 : (i == 3 ? -3 : -12), 0); // c0
        for (int j = 0; j < 3; ++j) PutPlain(bytes, -1, 32);                             // k
        PutPlain(bytes, 0, 32);                                                           // n
        PutPlain(bytes, 1, 0);                                                            // t
        bytes += char(100);                                                               // U = 0.5
        bytes += char(0);
        PutPlain(bytes, 1, 0); // V
        PutPlain(bytes, 0, 0); // V*
        PutPlain(bytes, -1, 0); // cross-section
        std::string error;
        WriteTextFileAtomic(folder / ("call" + std::to_string(++n) + ".bin"), bytes, error);
    }
}

bool Carried(double v) { return FitsSingle(v); }

void CheckRefusal(const FlussErgebnis& r)
{
    FUZZ_CHECK(!r.Fehlertext.empty());
    for (int i = 0; i <= 5; ++i) FUZZ_CHECK(r.c[std::size_t(i)] == 0);
    FUZZ_CHECK(r.U == 0 && r.zeit == 0 && r.anlauf == 0 && r.V == 0 && r.Vpunkt == 0 && r.laenge == 0);
    FUZZ_CHECK(r.ksi[0] == 0 && r.ksi[1] == 0 && r.ksi[2] == 0);
    if (r.stop == ReactorStop::Cancelled) FUZZ_CHECK(r.Fehlertext == "The calculation was stopped.");
}

void CheckProtocol(const ReaktorModell& m, const Konzentrationen& c0, const FlussErgebnis& r)
{
    const std::vector<double> z = ProtokollZeileAus(m, c0, r);
    FUZZ_CHECK(z.size() == std::size_t(kProtSpalten));
    for (int i = 0; i < kProtSpalten; ++i) {
        const bool unused = (i < 10 && !SlotInUse(m, i % 5 + 1)) || (i >= 10 && i < 13 && !RateConstantInUse(m, i - 9));
        FUZZ_CHECK(IsProtEmptyField(z[std::size_t(i)]) == unused);
        if (!unused) FUZZ_CHECK(Carried(z[std::size_t(i)]));
    }
    Declare d;
    d.ProtokollZeile = z;
    ProtZeileAnhaengen(d);
    const std::string csv = ProtCsvText(d, ";", ',');
    const std::string row = csv.substr(csv.find("\r\n") + 2);
    FUZZ_CHECK(std::count(row.begin(), row.end(), ';') == kProtSpalten - 1);
    for (const char* bad : {"inf", "nan", "Inf", "NaN"}) FUZZ_CHECK(row.find(bad) == std::string::npos);
}

void CheckResult(const ReaktorModell& m, const Konzentrationen& c0, int reactor, const FlussEingabe& e, double t,
                 const FlussErgebnis& r)
{
    for (int i = 1; i <= 5; ++i) FUZZ_CHECK(Carried(r.c[std::size_t(i)]) && r.c[std::size_t(i)] >= 0);
    FUZZ_CHECK(Carried(r.U) && Carried(r.zeit) && r.zeit >= 0 && Carried(r.ksi[1]) && Carried(r.ksi[2]));
    FUZZ_CHECK(r.stop == ReactorStop::None && r.Fehlertext.empty());
    const bool targetGiven = e.modus != FlussModus::VolumenUndStrom; // batch mode 1 is a target as well
    if (reactor == 0 && !targetGiven) FUZZ_CHECK(r.zeit == t);
    if (reactor > 0) {
        FUZZ_CHECK(Carried(r.V) && Carried(r.Vpunkt) && Carried(r.laenge) && r.V > 0 && r.Vpunkt > 0);
        if (e.modus != FlussModus::VolumenAusUmsatz) FUZZ_CHECK(r.V == e.V);
        if (e.modus != FlussModus::StromAusUmsatz) FUZZ_CHECK(r.Vpunkt == e.Vpunkt);
        const double tau = r.V / r.Vpunkt;
        FUZZ_CHECK(std::fabs(tau - r.zeit) <= 1e-9 * std::max(tau, r.zeit));
    }
    // With no product at the start, A (S for the enzyme) is only used up.
    const bool keinProdukt = c0[3] == 0 && c0[4] == 0 && c0[5] == 0;
    if (keinProdukt) FUZZ_CHECK(r.U >= 0 && r.U <= 1);
    if (targetGiven) FUZZ_CHECK(r.U >= e.U - 1e-6 && r.U <= GrenzUmsatzVon(m, c0).U + 1e-9);
    CheckProtocol(m, c0, r);
}

} // namespace

KINHOM_FUZZ_SEEDS(WriteSeeds)

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Reader in(data, size);
    const int model = kModels[in.Byte() % kModelCount];
    const int reactor = in.Byte() % 3; // batch, tube, stirred tank
    const int mode = in.Byte() % (reactor == 0 ? 2 : 3);
    Konzentrationen c0{};
    for (int i = 1; i <= 5; ++i) c0[std::size_t(i)] = in.Value();
    double k[4] = {0, in.Value(), in.Value(), in.Value()};
    const float n = static_cast<float>(in.Value());
    ReaktorModell m = KatalogReaktor(model, k[1], k[2], k[3], n);
    const double t = in.Value();
    FlussEingabe e;
    e.modus = static_cast<FlussModus>(mode);
    e.U = in.Conversion();
    e.V = in.Value();
    e.Vpunkt = in.Value();
    e.querschnitt = in.Value();

    ReactorControl control;
    control.timeLimitSeconds = kBoundSeconds;
    const std::clock_t start = std::clock();
    FlussErgebnis r;
    if (reactor == 0) {
        static_cast<ReaktorErgebnis&>(r) = mode == 0 ? BatchNachZeit(m, c0, t, control) : BatchNachUmsatz(m, c0, e.U, control);
    } else {
        r = reactor == 1 ? Rohrreaktor(m, c0, e, control) : Ruehrkessel(m, c0, e, control);
    }
    const double seconds = double(std::clock() - start) / CLOCKS_PER_SEC;
    FUZZ_CHECK(seconds < kBoundSeconds + kSlackSeconds);

    // Faulty inputs are always refused.
    if (!ReactorInputFaults(m, c0).empty()) FUZZ_CHECK(!r.ok);
    if (r.ok)
        CheckResult(m, c0, reactor, e, t, r);
    else
        CheckRefusal(r);
    return 0;
}
