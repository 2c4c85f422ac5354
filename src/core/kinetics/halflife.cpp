#include "core/kinetics/halflife.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "core/shell/error.h"
#include "core/shell/startup.h"

namespace kinhom {

namespace {

const char* const kTextDivision = "Division by zero";
const char* const kTextOverflow = "Overflow";
const char* const kTextArgument = "Invalid procedure call or argument";
const char* const kTextIteration = "The iteration for the half-life did not converge";
const char* const kTextNichtGefunden = "The course does not reach half the start concentration";

const char* const kNichtErreichbarA = "c(A) = c(A)(0)/2 can not be reached under this equilibrium conditions ";
const char* const kNichtErreichbarB = "c(B) = c(B)(0)/2 can not be reached under this equilibrium conditions ";

// Checked arithmetic: every fault becomes a KinError, caught at the routine's
// boundary and shown in a box.
double Fin(double v)
{
    if (!std::isfinite(v)) throw KinError(kTextOverflow);
    return v;
}

double Div(double a, double b)
{
    if (b == 0.0) throw KinError(kTextDivision);
    return Fin(a / b);
}

double Ln(double x)
{
    if (!(x > 0.0)) throw KinError(kTextArgument);
    return Fin(std::log(x));
}

// ln(1 + x), accurate when x is small
double Ln1p(double x)
{
    if (!(x > -1.0)) throw KinError(kTextArgument);
    return Fin(std::log1p(x));
}

double Sqrt(double x)
{
    if (!(x >= 0.0)) throw KinError(kTextArgument);
    return Fin(std::sqrt(x));
}

float Single(double v)
{
    Fin(v);
    if (std::fabs(v) > static_cast<double>(FLT_MAX)) throw KinError(kTextOverflow);
    return static_cast<float>(v);
}

constexpr double kLn2 = 0.69314718055994530942;

// A + B => P (second order): the time at which the first reactant (start
// concentration c1) is halved by the second one (c2). Returns false when c2 is
// too small to halve c1.
bool HalbAplusB(double c1, double c2, double k1, double& t)
{
    if (c1 == c2) {
        t = Div(Div(1.0, k1), c1);
        return true;
    }
    // ln(c2 / (2 c2 - c1)) / k1 / (c1 - c2), written with ln(1 + x) so that
    // close start concentrations lose no digits
    const double nenner = Fin(2.0 * c2 - c1);
    if (!(nenner > 0.0)) return false;
    t = Div(Div(Ln1p(Div(c1 - c2, nenner)), k1), Fin(c1 - c2));
    return true;
}

// A <=> P: half-life of A from the integrated first-order law towards the
// equilibrium; -1 (with the message) when the equilibrium lies above A0/2.
float HalbReversibel1(double A0, double P0, double k1, double k2, KinNotify& notify)
{
    const double K = Div(k1, k2);
    const double xe = Div(Fin(K * A0 - P0), Fin(K + 1.0));
    const double cAe = A0 - xe;
    if (!(A0 / 2.0 > cAe)) {
        notify.message(kNichtErreichbarA, "Execution not possible", KinNotify::Critical);
        return -1.0f;
    }
    const double zaehler = Fin(k2 * P0 - k1 * A0);
    const double nenner = Fin((A0 / 2.0) * (k2 - k1) + k2 * P0);
    return Single(Div(Ln(Div(zaehler, nenner)), Fin(k1 + k2)));
}

// The roots of x^2 + p x + q = 0, the larger one first. The root of larger
// magnitude is formed without cancellation and the other one from the product
// of the roots (q), so that neither loses digits when q is small.
void Wurzeln(double p, double q, double& groesser, double& kleiner)
{
    const double w = Sqrt(Fin(p * p / 4.0 - q));
    const double gross = p > 0.0 ? -p / 2.0 - w : -p / 2.0 + w;
    const double klein = gross != 0.0 ? Div(q, gross) : 0.0;
    groesser = std::max(gross, klein);
    kleiner = std::min(gross, klein);
}

// The closed-form extent of a reversible second-order reaction,
// dx/dt = a (x - r1)(x - r2), x(0) = 0:
//   x(t) = r1 r2 (1 - E) / (r1 - r2 E),  E = exp(-a (r1 - r2) t),
// evaluated with 1 - E = -expm1(...) and r1 - r2 E = (r1 - r2) + r2 (1 - E).
struct Verlauf {
    double a = 0, r1 = 0, r2 = 0;

    double x(double t) const
    {
        const double arg = Fin(-a * (r1 - r2) * t);
        const double einsMinusE = Fin(-std::expm1(arg));
        const double zaehler = Fin(r1 * r2 * einsMinusE);
        const double nenner = Fin((r1 - r2) + r2 * einsMinusE);
        return Div(zaehler, nenner);
    }

    // The same extent for any t > 0 without overflow: when the exponent is
    // positive (E grows without bound), numerator and denominator are divided
    // by E, x(t) = r1 r2 (F - 1) / (r1 (F - 1) + (r1 - r2)) with F = 1/E.
    double xOhneUeberlauf(double t) const
    {
        const double arg = Fin(-a * (r1 - r2) * t);
        if (arg <= 0.0) return x(t);
        const double fMinusEins = std::expm1(-arg);
        return Div(Fin(r1 * r2 * fMinusEins), Fin(r1 * fMinusEins + (r1 - r2)));
    }
};

// A + B <=> P (zweiP false) or A + B <=> 2P (zweiP true): half-life of A
// (fuerB false) or B by Newton's method on the closed-form extent.
// e0 holds the start concentrations A, B, P for the equilibrium; A0, B0, P0
// those of the course.
float HalbReversibel2(bool zweiP, bool fuerB, const double (&e0)[3], double A0, double B0, double P0,
                      double k1, double k2, KinNotify& notify)
{
    // 1. equilibrium extent: the root of x^2 + p x + q = 0 that keeps every
    //    concentration non-negative
    const double K = Div(k1, k2);
    const double eA = e0[0], eB = e0[1], eP = e0[2];
    double p, q, untere;
    if (zweiP) {
        p = Div(Fin(4.0 * eP + K * eA + K * eB), 4.0 - K);
        q = Div(Fin(eP * eP - K * eA * eB), 4.0 - K);
        untere = -eP / 2.0;
    } else {
        p = Fin(-eA - eB - Div(1.0, K));
        q = Fin(eA * eB - Div(eP, K));
        untere = -eP;
    }
    double x1, x2;
    Wurzeln(p, q, x1, x2);
    const double obere = std::min(eA, eB);
    auto verletzung = [&](double x) { return std::max({0.0, x - obere, untere - x}); };
    const double xe = verletzung(x1) <= verletzung(x2) ? x1 : x2;

    // 2. half the start concentration must lie above the equilibrium
    const double c0 = fuerB ? eB : eA;
    if (!(c0 / 2.0 > c0 - xe)) {
        notify.message(fuerB ? kNichtErreichbarB : kNichtErreichbarA, "Execution not possible",
                       KinNotify::Critical);
        return -1.0f;
    }

    // 3. roots r1 > r2 of the rate law a x^2 + b x + c
    Verlauf v;
    if (zweiP) {
        v.a = k1 - 4.0 * k2;
        if (v.a == 0.0) v.a = 1e-08;
        const double b = Fin(-k1 * A0 - k1 * B0 - 4.0 * k2 * P0);
        const double c = Fin(k1 * A0 * B0 - k2 * P0 * P0);
        Wurzeln(Div(b, v.a), Div(c, v.a), v.r1, v.r2);
    } else {
        v.a = k1;
        const double bs = Div(Fin(-k1 * A0 - k1 * B0 - k2), k1);
        const double cs = Div(Fin(k1 * A0 * B0 - k2 * P0), k1);
        Wurzeln(bs, cs, v.r1, v.r2);
    }

    // 4. Newton's method on t with the constants of the model
    const double halb = (fuerB ? B0 : A0) / 2.0;
    if (zweiP)
        return HalbwertszeitVerlauf(v.a, v.r1, v.r2, halb, 0.5f, fuerB ? 1e-08 : 1e-07, fuerB ? 201 : 101);
    return HalbwertszeitVerlauf(v.a, v.r1, v.r2, halb, 0.1f, 1e-06, 101);
}

float HalbA(const Declare& d, double A0, double B0, double P0, double k1, double k2, KinNotify& notify)
{
    double t = 0.0;
    switch (d.DiagrammTyp) {
    case 1: case DiagramCode::Rate(1):
        return Single(Div(Div(A0, 2.0), k1));
    case 2: case DiagramCode::Rate(2): case DiagramCode::FirstOrderPlot:
        return Single(Div(kLn2, k1));
    case 3: case DiagramCode::Rate(3):
        return Single(Div(1.0, Fin(2.0 * k1 * A0)));
    case DiagramCode::SecondOrderPlot:
        // the 1/c plot of A + B => P with equal start concentrations stores
        // the slope as k1 itself: tau = 1 / (k1 A0); for 2A => P the slope is
        // 2 k1: tau = 1 / (2 k1 A0)
        if (d.ModellNr == 4) return Single(Div(1.0, Fin(k1 * A0)));
        return Single(Div(1.0, Fin(2.0 * k1 * A0)));
    case 4: case DiagramCode::Rate(4): case 9: case DiagramCode::Rate(9): case DiagramCode::UnequalStartPlot:
        if (!HalbAplusB(A0, B0, k1, t)) {
            notify.beep();
            return 0.0f;
        }
        return Single(t);
    case 5: case DiagramCode::Rate(5): case 16: case DiagramCode::Rate(16):
        return Single(Div(Div(Ln(Div(Fin(2.0 * P0 + A0), P0)), k1), Fin(A0 + P0)));
    case 6: case DiagramCode::Rate(6):
        return Single(Div(kLn2, d.k.at(1)));
    case 8: case DiagramCode::Rate(8):
        return HalbReversibel1(A0, P0, k1, k2, notify);
    case 11: case DiagramCode::Rate(11):
        return Single(Div(kLn2, Fin(k1 + k2)));
    case 12: case DiagramCode::Rate(12): {
        const double e0[3] = {d.c0.at(1), d.c0.at(2), d.c0.at(4)};
        return HalbReversibel2(true, false, e0, A0, B0, P0, k1, k2, notify);
    }
    case 17: case DiagramCode::Rate(17): {
        const double e0[3] = {A0, B0, P0};
        return HalbReversibel2(false, false, e0, A0, B0, P0, k1, k2, notify);
    }
    default:
        return 0.0f;
    }
}

float HalbB(const Declare& d, double A0, double B0, double P0, double k1, double k2, KinNotify& notify)
{
    switch (d.DiagrammTyp) {
    case 4: case DiagramCode::Rate(4): case 9: case DiagramCode::Rate(9): case DiagramCode::UnequalStartPlot: {
        if (A0 == B0) return Single(Div(Div(1.0, k1), A0));
        // ln((2 A0 - B0) / A0) / k1 / (A0 - B0); the argument minus 1 is (A0 - B0) / A0
        if (!(Div(Fin(2.0 * A0 - B0), A0) > 0.0)) {
            notify.beep();
            return 0.0f;
        }
        const double diff = Fin(A0 - B0);
        return Single(Div(Div(Ln1p(Div(diff, A0)), k1), diff));
    }
    case 12: case DiagramCode::Rate(12): {
        const double e0[3] = {d.c0.at(1), d.c0.at(2), d.c0.at(4)};
        return HalbReversibel2(true, true, e0, A0, B0, P0, k1, k2, notify);
    }
    case 17: case DiagramCode::Rate(17): {
        const double e0[3] = {A0, B0, P0};
        return HalbReversibel2(false, true, e0, A0, B0, P0, k1, k2, notify);
    }
    default:
        notify.beep();
        return 0.0f;
    }
}

} // namespace

float HalbwertszeitNewton(double a, double r1, double r2, double halb, float t0, double h, int maxIter)
{
    const Verlauf v{a, r1, r2};
    // Newton's method with a forward difference; t is kept in single precision
    float t = t0;
    double d = 0.0;
    for (int iter = 1; iter <= maxIter; ++iter) {
        t = Single(t + d);
        const double xt = v.x(t);
        const double xth = v.x(t + h);
        d = Div((xt - halb) * h, xt - xth);
        if (std::fabs(Div(d, t)) < 1e-06) {
            if (!(t > 0.0f)) throw KinError(kTextIteration);
            return t;
        }
    }
    throw KinError(kTextIteration);
}

float HalbwertszeitBisektion(double a, double r1, double r2, double halb, float t0)
{
    const Verlauf v{a, r1, r2};
    // From t = 0 the extent rises monotonically towards the equilibrium,
    // so "halb reached" is false before the half-life and true after it.
    auto erreicht = [&](double t) { return v.xOhneUeberlauf(t) >= halb; };

    // 1. bracket the half-life between lo (not reached) and hi = 2 lo
    //    (reached) by halving or doubling from the start time
    double t = (t0 > 0.0f && t0 <= FLT_MAX) ? static_cast<double>(t0) : 1.0;
    double lo, hi;
    if (erreicht(t)) {
        do {
            hi = t;
            t /= 2.0;
            // a half-life below the normal single-precision range
            if (t < static_cast<double>(FLT_MIN)) throw KinError(kTextOverflow);
        } while (erreicht(t));
        lo = t;
    } else {
        do {
            lo = t;
            t *= 2.0;
            // the course never reaches halb (or only beyond the single range)
            if (t > static_cast<double>(FLT_MAX)) throw KinError(kTextNichtGefunden);
        } while (!erreicht(t));
        hi = t;
    }

    // 2. bisection until the bracket is far narrower than single precision
    //    resolves (a factor-2 bracket needs about 30 halvings)
    for (int i = 0; i < 64 && hi - lo > hi * 0x1p-32; ++i) {
        const double mitte = lo + (hi - lo) / 2.0;
        (erreicht(mitte) ? hi : lo) = mitte;
    }
    return Single(lo + (hi - lo) / 2.0);
}

float HalbwertszeitVerlauf(double a, double r1, double r2, double halb, float t0, double h, int maxIter)
{
    try {
        return HalbwertszeitNewton(a, r1, r2, halb, t0, h, maxIter);
    } catch (const KinError&) {
        // From a start far beyond a fast reaction's half-life the forward
        // difference finds no slope, or the steps leave t > 0 or diverge;
        // the half-life still exists, so it is enclosed instead.
    }
    return HalbwertszeitBisektion(a, r1, r2, halb, t0);
}

float FuHalbwertszeitA(const Declare& d, double cA0, double cB0, double cP0, double k1, double k2,
                       KinNotify& notify)
{
    try {
        return HalbA(d, cA0, cB0, cP0, k1, k2, notify);
    } catch (const std::exception& e) {
        notify.message(e.what(), "Message from FuHalbwertszeitA", KinNotify::Critical);
        return -1.0f;
    }
}

float FuHalbwertszeitB(const Declare& d, double cA0, double cB0, double cP0, double k1, double k2,
                       KinNotify& notify)
{
    try {
        return HalbB(d, cA0, cB0, cP0, k1, k2, notify);
    } catch (const std::exception& e) {
        notify.message(e.what(), "Message from FuHalbwertszeitB", KinNotify::Critical);
        return -1.0f;
    }
}

float HalbwertszeitMarke(const Declare& d, bool speziesB, KinNotify& notify)
{
    switch (d.ModellNr) {
    case 7: case 9: case 10: case 13: case 18:
        return speziesB ? d.HalbwertszeitB : d.HalbwertszeitA;
    case 14: case 15: case 20:
        if (!speziesB) return d.HalbwertszeitA;
        break;
    default:
        break;
    }
    const bool gemessen = d.DiagrammTyp < 0;
    const double cA0 = gemessen ? d.c0Exp[1] : d.c0.at(1);
    const double cB0 = gemessen ? d.c0Exp[2] : d.c0.at(2);
    const double cP0 = d.c0.at(4);
    const double k1 = d.k.at(1), k2 = d.k.at(2);
    return speziesB ? FuHalbwertszeitB(d, cA0, cB0, cP0, k1, k2, notify)
                    : FuHalbwertszeitA(d, cA0, cB0, cP0, k1, k2, notify);
}

void SetZeiteinheit(Declare& d, int neu, int alt, KinNotify& notify)
{
    if (neu >= 0 && neu < kTimeUnitCount) d.Zeiteinheit = kZeiteinheiten[neu];
    const bool gueltig = neu >= 0 && neu < kTimeUnitCount && alt >= 0 && alt < kTimeUnitCount &&
                         d.ZeitFaktor.inRange(alt, neu);
    if (neu != alt && gueltig) {
        const double f = d.ZeitFaktor(alt, neu);
        const int n = std::min<int>(d.AnzahlPunkte, static_cast<int>(d.ExpPunkte.size()) - 1);
        for (int i = 1; i <= n; ++i) d.ExpPunkte[i].t = f * d.ExpPunkte[i].t;
        for (int i = 1; i <= 3 && i < static_cast<int>(d.k.size()); ++i) d.k[i] = d.k[i] / f;
        for (int i = 1; i <= 3 && i < static_cast<int>(d.FileRateConstants.size()); ++i)
            d.FileRateConstants[i] = d.FileRateConstants[i] / f;
        notify.rateConstantsConverted(f);
    }
    notify.captionsChanged(neu);
}

} // namespace kinhom
