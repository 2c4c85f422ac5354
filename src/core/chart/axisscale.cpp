#include "core/chart/axisscale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace kinhom {

namespace {

constexpr double kBig = 1e300;     // limits beyond this are pulled back
constexpr double kTiny = 1e-300;   // smallest value a logarithmic window starts at
constexpr double kEps = 1e-9;      // tolerance in steps when counting multiples

double Pow10(double e) { return std::pow(10.0, e); }

double DecadeFloor(double v) { return Pow10(std::floor(std::log10(v) + 1e-12)); }

// Number of multiples k * step inside [lo, hi] (lo, hi in the same units).
double CountMultiples(double lo, double hi, double step)
{
    const double kmin = std::ceil(lo / step - kEps);
    const double kmax = std::floor(hi / step + kEps);
    return kmax - kmin + 1;
}

std::string Printf(const char* fmt, int prec, double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, prec, v);
    return buf;
}

// Fixed text with d decimals, trailing zeros (and a bare point) removed, no "-0".
std::string FixedText(double v, int d)
{
    std::string s = Printf("%.*f", d, v);
    if (s.find('.') != std::string::npos) {
        while (!s.empty() && s.back() == '0') s.pop_back();
        if (!s.empty() && s.back() == '.') s.pop_back();
    }
    if (s == "-0") s = "0";
    return s;
}

// Exponent text ("1.5E-06") with as few mantissa digits as keep v within tol.
std::string ExpText(double v, double tol)
{
    for (int p = 0; p <= 12; ++p) {
        std::string s = Printf("%.*E", p, v);
        if (std::fabs(std::strtod(s.c_str(), nullptr) - v) <= tol) return s;
    }
    return Printf("%.*E", 12, v);
}

// Decimals that multiples of a spacing need; -1 when no small count is exact.
int DecimalsFor(double spacing)
{
    for (int d = 0; d <= 12; ++d) {
        const double x = spacing * Pow10(d);
        if (std::round(x) >= 1 && std::fabs(x - std::round(x)) <= 1e-6 * x) return d;
    }
    return -1;
}

bool IsDecade(double v)
{
    if (!(v > 0)) return false;
    const double e = std::log10(v);
    return std::fabs(e - std::round(e)) < 1e-9;
}

} // namespace

AxisWindow SoundWindow(double min, double max, bool log, double smallestPositive)
{
    const bool fa = std::isfinite(min);
    const bool fb = std::isfinite(max);
    if (!fa && !fb) return log ? AxisWindow{1, 10} : AxisWindow{0, 1};
    if (!fa) min = max;
    if (!fb) max = min;
    min = std::clamp(min, -kBig, kBig);
    max = std::clamp(max, -kBig, kBig);
    if (min > max) std::swap(min, max);

    if (log) {
        if (!(max >= kTiny)) return {1, 10};
        if (!(min >= kTiny)) {
            const double top = DecadeFloor(max);
            double lo = top * 1e-3;
            if (std::isfinite(smallestPositive) && smallestPositive >= kTiny && smallestPositive < max)
                lo = DecadeFloor(smallestPositive);
            lo = std::max({lo, top * 1e-12, kTiny});
            min = std::min(lo, max);
        }
        const double lmin = std::log10(min);
        const double lmax = std::log10(max);
        if (lmax - lmin < 1e-9) {
            const double d = std::floor(lmin + 1e-12);
            return {Pow10(d), Pow10(d + 1)};
        }
        return {min, max};
    }

    const double scale = std::max(std::fabs(min), std::fabs(max));
    if (max - min <= scale * 1e-12) {
        const double mid = 0.5 * min + 0.5 * max;
        if (std::fabs(mid) < 1e-290) return {-1, 1};
        const double d = std::fabs(mid) * 0.1;
        return {mid - d, mid + d};
    }
    return {min, max};
}

double AutoSpacing(const AxisWindow& w, bool log)
{
    if (log) {
        const double lo = std::log10(w.min);
        const double hi = std::log10(w.max);
        for (double s = 1; s < 1e6; s *= 10) {
            for (double m : {1.0, 2.0, 5.0}) {
                if (CountMultiples(lo, hi, s * m) <= 10) return s * m;
            }
        }
        return 1;
    }
    const double range = w.max - w.min;
    if (!(range > 0) || !std::isfinite(range)) return 1;
    int k = static_cast<int>(std::floor(std::log10(range))) - 2;
    for (int guard = 0; guard < 40; ++guard, ++k) {
        for (double m : {1.0, 2.0, 5.0}) {
            const double step = m * Pow10(k);
            if (step > 0 && CountMultiples(w.min, w.max, step) <= 10) return step;
        }
    }
    return range;
}

bool SpacingUsable(double spacing, const AxisWindow& w, bool log)
{
    if (!std::isfinite(spacing) || !(spacing > 0)) return false;
    const double range = log ? std::log10(w.max) - std::log10(w.min) : w.max - w.min;
    return std::isfinite(range) && range / spacing <= kMaxAxisLines;
}

std::vector<double> SpacedValues(const AxisWindow& w, double spacing, bool log)
{
    std::vector<double> out;
    if (!SpacingUsable(spacing, w, log)) return out;
    const double lo = log ? std::log10(w.min) : w.min;
    const double hi = log ? std::log10(w.max) : w.max;
    const double kmin = std::ceil(lo / spacing - kEps);
    const double kmax = std::floor(hi / spacing + kEps);
    for (double k = kmin; k <= kmax && out.size() <= kMaxAxisLines + 1; k += 1) {
        double v = k * spacing;
        if (std::fabs(v) < spacing * kEps) v = 0;
        out.push_back(log ? Pow10(v) : v);
    }
    return out;
}

AxisWindow AutoWindow(double dataMin, double dataMax, bool log, double smallestPositive)
{
    const AxisWindow w = SoundWindow(dataMin, dataMax, log, smallestPositive);
    if (log) {
        const double lo = std::floor(std::log10(w.min) + 1e-9);
        const double hi = std::ceil(std::log10(w.max) - 1e-9);
        if (hi <= lo) return {Pow10(lo), Pow10(lo + 1)};
        return {Pow10(lo), Pow10(hi)};
    }
    const double step = AutoSpacing(w, false);
    AxisWindow r{std::floor(w.min / step + kEps) * step, std::ceil(w.max / step - kEps) * step};
    if (!(r.min < r.max) || !std::isfinite(r.min) || !std::isfinite(r.max)) return w;
    if (std::fabs(r.min) < step * kEps) r.min = 0;
    if (std::fabs(r.max) < step * kEps) r.max = 0;
    return r;
}

std::string ShortNumber(double v)
{
    if (!std::isfinite(v)) return "";
    if (v == 0) return "0";
    const double a = std::fabs(v);
    if (a >= 1e-4 && a < 1e7) {
        for (int d = 0; d <= 10; ++d) {
            std::string s = FixedText(v, d);
            if (std::fabs(std::strtod(s.c_str(), nullptr) - v) <= 1e-9 * a) {
                // no more than 6 significant digits
                int sig = 0;
                bool lead = true;
                for (char c : s) {
                    if (c >= '0' && c <= '9') {
                        if (c != '0') lead = false;
                        if (!lead) ++sig;
                    }
                }
                if (sig <= 6) return s;
                break;
            }
        }
        const int d = std::max(0, 5 - static_cast<int>(std::floor(std::log10(a))));
        return FixedText(v, d);
    }
    for (int p = 0; p <= 5; ++p) {
        std::string s = Printf("%.*E", p, v);
        if (std::fabs(std::strtod(s.c_str(), nullptr) - v) <= 1e-9 * a) return s;
    }
    return Printf("%.*E", 5, v);
}

std::vector<std::string> FormatAxisNumbers(const std::vector<double>& values, double spacing, bool log)
{
    std::vector<std::string> out;
    out.reserve(values.size());
    if (log) {
        for (double v : values) {
            if (IsDecade(v)) {
                const int k = static_cast<int>(std::round(std::log10(v)));
                if (k >= -3 && k <= 4)
                    out.push_back(FixedText(Pow10(k), std::max(0, -k)));
                else
                    out.push_back(Printf("%.*E", 0, Pow10(k)));
            } else {
                out.push_back(ShortNumber(v));
            }
        }
        return out;
    }
    double maxAbs = 0;
    for (double v : values) maxAbs = std::max(maxAbs, std::fabs(v));
    int d = DecimalsFor(spacing);
    bool exact = d >= 0;
    if (!exact) d = std::clamp(static_cast<int>(std::ceil(-std::log10(spacing))) + 2, 0, 10);
    const bool expo = maxAbs >= 1e7 || (exact && d >= 5) || (!exact && spacing < 1e-4);
    for (double v : values) {
        if (v == 0 || std::fabs(v) < std::fabs(spacing) * kEps)
            out.push_back("0");
        else if (expo)
            out.push_back(ExpText(v, std::fabs(spacing) * 1e-6));
        else
            out.push_back(FixedText(v, d));
    }
    return out;
}

double AxisScale::fraction(double v) const
{
    if (!std::isfinite(v)) return std::numeric_limits<double>::quiet_NaN();
    if (log) {
        if (!(v > 0)) return std::numeric_limits<double>::quiet_NaN();
        const double lo = std::log10(min);
        return (std::log10(v) - lo) / (std::log10(max) - lo);
    }
    return (v - min) / (max - min);
}

double AxisScale::valueAt(double f) const
{
    if (log) {
        const double lo = std::log10(min);
        return Pow10(lo + f * (std::log10(max) - lo));
    }
    return min + f * (max - min);
}

bool AxisScale::contains(double v) const
{
    const double f = fraction(v);
    return f >= -1e-6 && f <= 1 + 1e-6;
}

AxisScale ComputeAxisScale(const AxisScaleInput& in)
{
    AxisScale s;
    s.log = in.log;
    const AxisWindow w = SoundWindow(in.min, in.max, in.log, in.smallestPositive);
    s.min = w.min;
    s.max = w.max;
    s.autoSpacing = AutoSpacing(w, in.log);
    s.numSpacing = (in.numAuto || !SpacingUsable(in.numSpacing, w, in.log)) ? s.autoSpacing : in.numSpacing;
    s.tickSpacing = (in.tickAuto || !SpacingUsable(in.tickSpacing, w, in.log)) ? s.numSpacing : in.tickSpacing;
    s.gridSpacing = (in.gridAuto || !SpacingUsable(in.gridSpacing, w, in.log)) ? s.numSpacing : in.gridSpacing;

    s.numbers = SpacedValues(w, s.numSpacing, in.log);
    bool fallback = false;
    if (in.log && in.numAuto && s.numbers.size() < 2) {
        // Less than two decades in sight: number the 1-2-5 values, or plain steps.
        fallback = true;
        std::vector<double> v;
        const double lo = std::floor(std::log10(w.min)) - 1;
        const double hi = std::ceil(std::log10(w.max)) + 1;
        for (double d = lo; d <= hi; d += 1) {
            for (double m : {1.0, 2.0, 5.0}) {
                const double x = m * Pow10(d);
                if (x >= w.min * (1 - 1e-9) && x <= w.max * (1 + 1e-9)) v.push_back(x);
            }
        }
        if (v.size() < 2) v = SpacedValues(w, AutoSpacing(w, false), false);
        s.numbers = v;
    }
    s.numberTexts = FormatAxisNumbers(s.numbers, s.numSpacing, in.log);
    s.ticks = (fallback && in.tickAuto) ? s.numbers : SpacedValues(w, s.tickSpacing, in.log);
    s.grid = (fallback && in.gridAuto) ? s.numbers : SpacedValues(w, s.gridSpacing, in.log);

    if (in.log && !fallback && s.tickSpacing <= 1 + 1e-9) {
        const double lo = std::floor(std::log10(w.min));
        const double hi = std::ceil(std::log10(w.max));
        if (hi - lo <= 10) {
            for (double d = lo; d <= hi; d += 1) {
                for (int m = 2; m <= 9; ++m) {
                    const double x = m * Pow10(d);
                    if (s.contains(x)) s.minorTicks.push_back(x);
                }
            }
        }
    }

    switch (in.originPlacement) {
    case 1: // at zero (1 on a logarithmic axis)
        s.origin = std::clamp(in.log ? 1.0 : 0.0, w.min, w.max);
        break;
    case 3:
        s.origin = w.max;
        break;
    case 4:
        if (std::isfinite(in.originValue) && (!in.log || in.originValue > 0))
            s.origin = std::clamp(in.originValue, w.min, w.max);
        else
            s.origin = w.min;
        break;
    default:
        s.origin = w.min;
        break;
    }
    return s;
}

} // namespace kinhom
