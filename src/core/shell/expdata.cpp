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
    for (int pos : {0, 1, 2, 3, 7, 8, 9, 11, 19, 20}) a[pos] = 0;
    a[6] = 10000;
    for (int pos : {10, 12, 16, 18, 21, 23}) a[pos] = 100000;
    for (int pos : {13, 17, 22}) a[pos] = -100000;
    a[14] = 1000000;
    a[15] = -1000000;
    const double cA0 = d.c0Exp[1];

    for (int i = 1; i <= n; ++i) {
        const ExpPunkt& p = d.ExpPunkte[i];
        Above(a[1], Sng(p.t));
        for (int s = 1; s <= 5; ++s) Above(a[3], Sng(p.c[s]));
        const auto T = Sng(p.T);
        Above(a[7], T);
        if (T && *T > 0) Below(a[6], T);
        if (d.Arbeitsmodus == TaskMode::NonIsothermalFirstOrder) a[3] = 1.0f;
        else if (d.Arbeitsmodus == TaskMode::NonIsothermalSecondOrder) a[3] = static_cast<float>(cA0);
        Above(a[9], Sng(p.k));
        if (p.T > 1e-8) {
            const auto invT = Sng(1.0 / p.T);
            Below(a[10], invT);
            Above(a[11], invT);
        }
        if (p.k > 1e-8) {
            const auto lnk = Ln(p.k);
            Above(a[13], lnk);
            Below(a[12], lnk);
            if (p.T > 1e-8) {
                const auto lnkT = Ln(p.k / p.T);
                Above(a[15], lnkT);
                Below(a[14], lnkT);
            }
        }
        const double cA = p.c[1];
        if (cA > 1e-8) {
            const auto lnc = Ln(cA);
            Above(a[17], lnc);
            Below(a[16], lnc);
            const auto inv = Sng(1.0 / cA);
            Above(a[19], inv);
            Below(a[18], inv);
            if (cA0 > 0 && p.t > 1e-8) {
                const auto U = Sng((cA0 - cA) / cA0); // conversion, single precision
                if (U && *U != 0) {
                    const auto tU = Sng(p.t / static_cast<double>(*U));
                    Above(a[20], tU);
                    Below(a[21], tU);
                }
            }
        }
        if (p.c[2] > 1e-8) {
            // ln(c(A)/c(B)) has no value while c(A) is not positive.
            const auto lnAB = Ln(cA / p.c[2]);
            Above(a[22], lnAB);
            Below(a[23], lnAB);
        }
    }

    // Margins, each a float.
    a[1] += (a[1] - a[0]) / 20;
    float d5 = (a[17] - a[16]) / 20;
    a[17] += d5;
    a[16] -= d5;
    const float d6 = (a[19] - a[18]) / 20;
    a[19] += d6;
    a[18] -= d6;
    const float dInvT = (a[11] - a[10]) / 20;
    a[10] = std::max(a[10] - dInvT, 0.0f);
    a[11] += dInvT;
    float e = d6;
    if (code == DiagramCode::Arrhenius) e = (a[13] - a[12]) / 20;
    else if (code == DiagramCode::Eyring) e = (a[15] - a[14]) / 20;
    a[12] -= e;
    a[14] -= e;
    a[13] += e;
    a[15] += e;
    float d7 = (a[20] - a[21]) / 20;
    if (d7 == 0) d7 = a[20] / 20;
    a[20] += d7;
    a[21] -= d7;
    const float d8 = (a[22] - a[23]) / 20;
    a[22] += d8;
    a[23] -= d8;
    const float dT = (a[7] - a[6]) / 20;
    a[6] -= dT;
    a[7] += dT;
    const float dk = (a[9] - a[8]) / 20;
    a[8] -= dk;
    a[9] += dk;
}

void CalcScaleCt(Declare& d, int column)
{
    if (column < 0 || column > 5) throw KinError("Subscript out of range");
    const int n = PointsInUse(d);
    AchsenInfo& a = d.AchsenBereiche;
    for (int pos = 0; pos <= 3; ++pos) a[pos] = 0;
    for (int i = 1; i <= n; ++i) {
        Above(a[1], Sng(d.ExpPunkte[i].t));
        Above(a[3], Sng(d.ExpPunkte[i].c[column]));
    }
    a[1] += (a[1] - a[0]) / 20;
    a[3] += (a[3] - a[2]) / 20;
}

namespace {

// The y margin of the lambda plots: the maximum grows by a fifth of the span,
// the minimum shrinks by 0.3 of that fifth.
void LambdaMargins(AchsenInfo& a, int minPos, int maxPos)
{
    a[1] += (a[1] - a[0]) / 20;
    const float dy = (a[maxPos] - a[minPos]) / 5;
    a[maxPos] += dy;
    a[minPos] = static_cast<float>(static_cast<double>(a[minPos]) - 0.3 * static_cast<double>(dy));
}

} // namespace

void CalcScaleLambda1(Declare& d)
{
    const int n = PointsInUse(d);
    AchsenInfo& a = d.AchsenBereiche;
    a[0] = 0;
    a[1] = 0;
    a[25] = -10000;
    a[24] = 10000;
    const double lu = d.LambdaUnendlich;
    const double l0 = d.Lambda0;
    for (int i = 1; i <= n; ++i) {
        const ExpPunkt& p = d.ExpPunkte[i];
        Above(a[1], Sng(p.t));
        std::optional<float> y;
        if (l0 == 0) {
            y = Ln(lu - p.lambda);
        } else if (lu != l0) {
            y = Ln((lu - p.lambda) / (lu - l0));
        }
        Above(a[25], y);
        Below(a[24], y);
    }
    LambdaMargins(a, 24, 25);
}

void CalcScaleLambda2(Declare& d)
{
    const int n = PointsInUse(d);
    AchsenInfo& a = d.AchsenBereiche;
    a[0] = 0;
    a[1] = 0;
    a[27] = -10000;
    a[26] = 10000;
    const double lu = d.LambdaUnendlich;
    const double l0 = d.Lambda0;
    const double cA0 = d.c0Exp[1];
    std::optional<float> v = 0.0f;
    for (int i = 1; i <= n; ++i) {
        const ExpPunkt& p = d.ExpPunkte[i];
        Above(a[1], Sng(p.t));
        std::optional<float> here;
        if (l0 == 0) {
            here = Quotient(lu, lu - p.lambda);
        } else if (cA0 > 0) {
            if (lu - p.lambda != 0) here = Sng(((lu - l0) / (lu - p.lambda)) / cA0);
        } else {
            here = v; // without a start concentration the value stays the previous one
        }
        Above(a[27], here);
        Below(a[26], here);
        if (here) v = here;
    }
    LambdaMargins(a, 26, 27);
}

} // namespace kinhom
