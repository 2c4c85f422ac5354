#include "core/shell/expdata.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "core/shell/error.h"

namespace kinhom {

namespace {

// Number of records in use, checked against the table.
int PointsInUse(const Declare& d)
{
    if (d.AnzahlPunkte < 0 || (d.AnzahlPunkte > 0 && static_cast<std::size_t>(d.AnzahlPunkte) >= d.ExpPunkte.size()))
        throw KinError("Subscript out of range");
    return d.AnzahlPunkte;
}

// A quantity rounded to single precision, or nothing when it has no value
// there (not finite, or beyond the range of a float).
std::optional<float> Sng(double v)
{
    if (!std::isfinite(v) || std::fabs(v) > static_cast<double>(std::numeric_limits<float>::max()))
        return std::nullopt;
    return static_cast<float>(v);
}

// Widens a maximum / narrows a minimum by a quantity that may have no value.
void Above(float& range, std::optional<float> v)
{
    if (v && *v > range) range = *v;
}
void Below(float& range, std::optional<float> v)
{
    if (v && *v < range) range = *v;
}

std::optional<float> Ln(double v)
{
    if (!(v > 0)) return std::nullopt;
    return Sng(std::log(v));
}

std::optional<float> Quotient(double num, double den)
{
    if (den == 0) return std::nullopt;
    return Sng(num / den);
}

// A float sum as the program keeps it: each addition rounded to single
// precision. A sum beyond single precision stays at infinity, which is
// "not 0" like the sum it stands for.
float AddSingle(float sum, double v)
{
    const double s = static_cast<double>(sum) + v;
    if (std::isnan(s)) return sum;
    if (std::fabs(s) > static_cast<double>(std::numeric_limits<float>::max()))
        return s > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
    return static_cast<float>(s);
}

} // namespace

int MeasuredPointCount(const Declare& d)
{
    return std::clamp(d.AnzahlPunkte, 0, std::max(0, static_cast<int>(d.ExpPunkte.size()) - 1));
}

void DeleteExpData(Declare& d)
{
    const int n = PointsInUse(d);
    for (int i = 1; i <= n; ++i) {
        ExpPunkt& p = d.ExpPunkte[i];
        p.exclude = 0;
        p.t = 0;
        p.c[1] = 0;
        p.c[2] = 0;
        p.k = 0;
        p.T = 0;
    }
    d.AnzahlPunkte = 0;
    d.DateiName.clear();
    d.DatenGeaendert = false;
}

void AnalyzeExpData(Declare& d, bool& ctDaten, bool& kTDaten, bool& ctTDaten, int& anzahlTemperaturen,
                    double& tMaxExp, bool& lambdaDaten)
{
    const int n = PointsInUse(d);
    d.Temperaturen.resize(2, 0.0f);
    tMaxExp = 0;
    d.Lambda0 = 0;
    float timeSum = 0;
    double lambdaSum = 0;
    int kTPoints = 0;
    int ctPoints = 0;
    int ctTPoints = 0;
    bool present[6] = {};
    for (int i = 1; i <= n; ++i) {
        const ExpPunkt& p = d.ExpPunkte[i];
        timeSum = AddSingle(timeSum, p.t);
        lambdaSum += p.lambda;
        if (p.exclude == 0 && p.t == 0) d.Lambda0 = p.lambda;
        if (p.T > 0 && p.k > 0) ++kTPoints;
        if (p.c[1] > 0) ++ctPoints;
        if (p.c[1] > 0 && p.T > 0) ++ctTPoints;
        if (p.t > tMaxExp) tMaxExp = p.t;
        for (int s = 1; s <= 5; ++s)
            if (p.c[s] > 0) present[s] = true;
    }
    kTDaten = kTPoints >= 2;
    ctDaten = timeSum != 0 && ctPoints >= 2;
    ctTDaten = ctTPoints >= 3 && timeSum != 0;
    lambdaDaten = d.LambdaUnendlich > 0 && lambdaSum > 0;
    for (int s = 1; s <= 5; ++s) d.DatenVorhanden[s] = present[s];

    // Distinct temperatures: sorted ascending, a value is new when it lies more
    // than 0.01 above the value before it in the sorted list.
    std::vector<double> sorted;
    sorted.reserve(n);
    for (int i = 1; i <= n; ++i) sorted.push_back(d.ExpPunkte[i].T);
    // NaN (never in validated data) sorts first, so that it has no effect.
    std::sort(sorted.begin(), sorted.end(), [](double a, double b) {
        if (std::isnan(a)) return !std::isnan(b);
        if (std::isnan(b)) return false;
        return a < b;
    });
    int count = 0;
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        const double T = sorted[i];
        const bool isNew = i == 0 ? T > 0 : (T > 0 && T - sorted[i - 1] > 0.01);
        if (!isNew) continue;
        const auto value = Sng(T);
        if (!value) continue; // beyond single precision: not a temperature
        ++count;
        if (static_cast<std::size_t>(count) >= d.Temperaturen.size()) d.Temperaturen.resize(count + 1, 0.0f);
        d.Temperaturen[count] = *value;
    }
    anzahlTemperaturen = std::min(count, 24);
}

void AnalyzeExpData(Declare& d)
{
    AnalyzeExpData(d, d.ctDaten, d.kTDaten, d.ctTDaten, d.AnzahlTemperaturen, d.tMaxExp, d.LambdaDaten);
}

void CalcExpDataRanges(Declare& d, int code, bool /*withPoints*/)
{
    if (code >= 0) return;
    const int n = PointsInUse(d);
    AchsenInfo& a = d.AchsenBereiche;
    using namespace AxisSlot;
    for (int pos : {TimeMin, TimeMax, ConcMin, ConcMax, TempMax, KMin, KMax, InvTempMax, InvCAMax, WilkinsonMax})
        a[pos] = 0;
    a[TempMin] = 10000;
    for (int pos : {InvTempMin, LnKMin, LnCAMin, InvCAMin, WilkinsonMin, LnCARatioMin}) a[pos] = 100000;
    for (int pos : {LnKMax, LnCAMax, LnCARatioMax}) a[pos] = -100000;
    a[LnKOverTMin] = 1000000;
    a[LnKOverTMax] = -1000000;
    const double cA0 = d.c0Exp[1];

    for (int i = 1; i <= n; ++i) {
        const ExpPunkt& p = d.ExpPunkte[i];
        Above(a[TimeMax], Sng(p.t));
        for (int s = 1; s <= 5; ++s) Above(a[ConcMax], Sng(p.c[s]));
        const auto T = Sng(p.T);
        Above(a[TempMax], T);
        if (T && *T > 0) Below(a[TempMin], T);
        if (d.Arbeitsmodus == TaskMode::NonIsothermalFirstOrder) a[ConcMax] = 1.0f;
        else if (d.Arbeitsmodus == TaskMode::NonIsothermalSecondOrder) a[ConcMax] = static_cast<float>(cA0);
        Above(a[KMax], Sng(p.k));
        if (p.T > 1e-8) {
            const auto invT = Sng(1.0 / p.T);
            Below(a[InvTempMin], invT);
            Above(a[InvTempMax], invT);
        }
        if (p.k > 1e-8) {
            const auto lnk = Ln(p.k);
            Above(a[LnKMax], lnk);
            Below(a[LnKMin], lnk);
            if (p.T > 1e-8) {
                const auto lnkT = Ln(p.k / p.T);
                Above(a[LnKOverTMax], lnkT);
                Below(a[LnKOverTMin], lnkT);
            }
        }
        const double cA = p.c[1];
        if (cA > 1e-8) {
            const auto lnc = Ln(cA);
            Above(a[LnCAMax], lnc);
            Below(a[LnCAMin], lnc);
            const auto inv = Sng(1.0 / cA);
            Above(a[InvCAMax], inv);
            Below(a[InvCAMin], inv);
            if (cA0 > 0 && p.t > 1e-8) {
                const auto U = Sng((cA0 - cA) / cA0); // conversion, single precision
                if (U && *U != 0) {
                    const auto tU = Sng(p.t / static_cast<double>(*U));
                    Above(a[WilkinsonMax], tU);
                    Below(a[WilkinsonMin], tU);
                }
            }
        }
        if (p.c[2] > 1e-8) {
            // ln(c(A)/c(B)) has no value while c(A) is not positive.
            const auto lnAB = Ln(cA / p.c[2]);
            Above(a[LnCARatioMax], lnAB);
            Below(a[LnCARatioMin], lnAB);
        }
    }

    // Margins, each a float.
    a[TimeMax] += (a[TimeMax] - a[TimeMin]) / 20;
    float d5 = (a[LnCAMax] - a[LnCAMin]) / 20;
    a[LnCAMax] += d5;
    a[LnCAMin] -= d5;
    const float d6 = (a[InvCAMax] - a[InvCAMin]) / 20;
    a[InvCAMax] += d6;
    a[InvCAMin] -= d6;
    const float dInvT = (a[InvTempMax] - a[InvTempMin]) / 20;
    a[InvTempMin] = std::max(a[InvTempMin] - dInvT, 0.0f);
    a[InvTempMax] += dInvT;
    float e = d6;
    if (code == DiagramCode::Arrhenius) e = (a[LnKMax] - a[LnKMin]) / 20;
    else if (code == DiagramCode::Eyring) e = (a[LnKOverTMax] - a[LnKOverTMin]) / 20;
    a[LnKMin] -= e;
    a[LnKOverTMin] -= e;
    a[LnKMax] += e;
    a[LnKOverTMax] += e;
    float d7 = (a[WilkinsonMax] - a[WilkinsonMin]) / 20;
    if (d7 == 0) d7 = a[WilkinsonMax] / 20;
    a[WilkinsonMax] += d7;
    a[WilkinsonMin] -= d7;
    const float d8 = (a[LnCARatioMax] - a[LnCARatioMin]) / 20;
    a[LnCARatioMax] += d8;
    a[LnCARatioMin] -= d8;
    const float dT = (a[TempMax] - a[TempMin]) / 20;
    a[TempMin] -= dT;
    a[TempMax] += dT;
    const float dk = (a[KMax] - a[KMin]) / 20;
    a[KMin] -= dk;
    a[KMax] += dk;
}

void CalcScaleCt(Declare& d, int column)
{
    if (column < 0 || column > 5) throw KinError("Subscript out of range");
    const int n = PointsInUse(d);
    AchsenInfo& a = d.AchsenBereiche;
    for (int pos = AxisSlot::TimeMin; pos <= AxisSlot::ConcMax; ++pos) a[pos] = 0;
    for (int i = 1; i <= n; ++i) {
        Above(a[AxisSlot::TimeMax], Sng(d.ExpPunkte[i].t));
        Above(a[AxisSlot::ConcMax], Sng(d.ExpPunkte[i].c[column]));
    }
    a[AxisSlot::TimeMax] += (a[AxisSlot::TimeMax] - a[AxisSlot::TimeMin]) / 20;
    a[AxisSlot::ConcMax] += (a[AxisSlot::ConcMax] - a[AxisSlot::ConcMin]) / 20;
}

namespace {

// The y margin of the lambda plots: the maximum grows by a fifth of the span,
// the minimum shrinks by 0.3 of that fifth.
void LambdaMargins(AchsenInfo& a, int minPos, int maxPos)
{
    a[AxisSlot::TimeMax] += (a[AxisSlot::TimeMax] - a[AxisSlot::TimeMin]) / 20;
    const float dy = (a[maxPos] - a[minPos]) / 5;
    a[maxPos] += dy;
    a[minPos] = static_cast<float>(static_cast<double>(a[minPos]) - 0.3 * static_cast<double>(dy));
}

} // namespace

void CalcScaleLambda1(Declare& d)
{
    const int n = PointsInUse(d);
    AchsenInfo& a = d.AchsenBereiche;
    a[AxisSlot::TimeMin] = 0;
    a[AxisSlot::TimeMax] = 0;
    a[AxisSlot::LambdaFirstMax] = -10000;
    a[AxisSlot::LambdaFirstMin] = 10000;
    const double lu = d.LambdaUnendlich;
    const double l0 = d.Lambda0;
    for (int i = 1; i <= n; ++i) {
        const ExpPunkt& p = d.ExpPunkte[i];
        Above(a[AxisSlot::TimeMax], Sng(p.t));
        std::optional<float> y;
        if (l0 == 0) {
            y = Ln(lu - p.lambda);
        } else if (lu != l0) {
            y = Ln((lu - p.lambda) / (lu - l0));
        }
        Above(a[AxisSlot::LambdaFirstMax], y);
        Below(a[AxisSlot::LambdaFirstMin], y);
    }
    LambdaMargins(a, AxisSlot::LambdaFirstMin, AxisSlot::LambdaFirstMax);
}

void CalcScaleLambda2(Declare& d)
{
    const int n = PointsInUse(d);
    AchsenInfo& a = d.AchsenBereiche;
    a[AxisSlot::TimeMin] = 0;
    a[AxisSlot::TimeMax] = 0;
    a[AxisSlot::LambdaSecondMax] = -10000;
    a[AxisSlot::LambdaSecondMin] = 10000;
    const double lu = d.LambdaUnendlich;
    const double l0 = d.Lambda0;
    const double cA0 = d.c0Exp[1];
    std::optional<float> v = 0.0f;
    for (int i = 1; i <= n; ++i) {
        const ExpPunkt& p = d.ExpPunkte[i];
        Above(a[AxisSlot::TimeMax], Sng(p.t));
        std::optional<float> here;
        if (l0 == 0) {
            here = Quotient(lu, lu - p.lambda);
        } else if (cA0 > 0) {
            if (lu - p.lambda != 0) here = Sng(((lu - l0) / (lu - p.lambda)) / cA0);
        } else {
            here = v; // without a start concentration the value stays the previous one
        }
        Above(a[AxisSlot::LambdaSecondMax], here);
        Below(a[AxisSlot::LambdaSecondMin], here);
        if (here) v = here;
    }
    LambdaMargins(a, AxisSlot::LambdaSecondMin, AxisSlot::LambdaSecondMax);
}

} // namespace kinhom
