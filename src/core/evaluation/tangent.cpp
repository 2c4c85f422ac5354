#include "core/evaluation/tangent.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/kinetics/akima.h"
#include "core/shell/error.h"
#include "core/shell/numtext.h"

namespace kinhom {

std::string SpeciesConcText(int column)
{
    static const char* const names[6] = {"", "A", "B", "C", "P", "Q"};
    if (column < 1 || column > 5) return "c(?)";
    return std::string("c(") + names[column] + ")";
}

void BuildMeasuredSpline(Declare& d, int column, float glaettung)
{
    if (column < 1 || column > 5) throw KinError("No species is chosen for the spline through measured points.");
    const std::string what = "the spline through the points " + SpeciesConcText(column) + " - t";
    const int n = d.AnzahlPunkte;
    if (n < 3)
        throw KinError("For " + what + " at least 3 measured points are needed; the data hold " +
                       std::to_string(std::max(n, 0)) + ".");
    if (static_cast<int>(d.ExpPunkte.size()) < n + 1)
        throw KinError("The table of measured points holds fewer than " + std::to_string(n) + " points.");
    for (int i = 2; i <= n; ++i) {
        if (!(d.ExpPunkte[i].t > d.ExpPunkte[i - 1].t))
            throw KinError("For " + what + " the times of the measured points must rise strictly: point " +
                           std::to_string(i) + " (t =" + StrDouble(d.ExpPunkte[i].t) + ") does not follow point " +
                           std::to_string(i - 1) + " (t =" + StrDouble(d.ExpPunkte[i - 1].t) +
                           "). Sort the data by time and remove repeated times.");
    }
    d.AkimaQuelle = kAkimaQuelleKeine;
    AkimaTabellenDimensionieren(d, n);
    for (int i = 1; i <= n; ++i) {
        d.AkimaX[i] = d.ExpPunkte[i].t;
        d.AkimaYRoh(column, i) = d.ExpPunkte[i].c[column];
    }
    const AkimaStatus status = AkimaSplineBerechnen(d, column, n, glaettung);
    if (status != AkimaStatus::Ok) throw KinError("For " + what + ": " + AkimaStatusText(status));
    d.AkimaQuelle = kAkimaQuelleMessdaten;
}

TimeRange MeasuredTimeRange(const Declare& d)
{
    TimeRange r;
    const int n = d.AnzahlPunkte;
    if (n < 1 || static_cast<int>(d.ExpPunkte.size()) < n + 1) return r;
    r.tMin = d.ExpPunkte[1].t;
    r.tMax = d.ExpPunkte[static_cast<std::size_t>(n)].t;
    return r;
}

TangentPoint TangentAt(Declare& d, int column, double t)
{
    BuildMeasuredSpline(d, column, d.Glaettung);
    const TimeRange range = MeasuredTimeRange(d);
    const std::string unit = " " + d.Zeiteinheit;
    if (!std::isfinite(t) || t < range.tMin || t > range.tMax)
        throw KinError("The time t must lie within the range of the measured points, from" + StrDouble(range.tMin) +
                       unit + " to" + StrDouble(range.tMax) + unit + ".");
    const int n = d.AnzahlPunkte;
    const std::optional<double> c = AkimaWert(d, 0, column, t, n);
    const std::optional<double> rate = AkimaWert(d, 1, column, t, n);
    if (!c || !rate || !std::isfinite(*c) || !std::isfinite(*rate))
        throw KinError("At t =" + StrDouble(t) + unit + " the spline through the points " + SpeciesConcText(column) +
                       " - t gives no finite value.");
    return TangentPoint{t, *c, *rate};
}

std::vector<KurvenPunkt> TangentLine(const TangentPoint& p, double x0, double x1)
{
    std::vector<KurvenPunkt> line(3);
    line[0].x = 2;
    line[1] = KurvenPunkt{static_cast<float>(x0), static_cast<float>(p.c + p.rate * (x0 - p.t)), 0};
    line[2] = KurvenPunkt{static_cast<float>(x1), static_cast<float>(p.c + p.rate * (x1 - p.t)), 0};
    return line;
}

std::string RateUnit(const std::string& zeiteinheit) { return "mol/(l " + zeiteinheit + ")"; }

} // namespace kinhom
