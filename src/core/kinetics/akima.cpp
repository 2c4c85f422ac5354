#include "core/kinetics/akima.h"

#include <algorithm>
#include <cmath>

namespace kinhom {

namespace {

bool TabellenFassen(int spalte, int n, const std::vector<double>& x,
                    std::initializer_list<const Array2<double>*> tabellen)
{
    // The set-up uses the positions 0 to n + 4 (the extended row).
    const std::size_t noetig = static_cast<std::size_t>(n) + 5;
    if (spalte < 0 || x.size() < noetig) return false;
    for (const Array2<double>* t : tabellen)
        if (t->rows() <= static_cast<std::size_t>(spalte) || t->cols() < noetig) return false;
    return true;
}

} // namespace

std::string AkimaStatusText(AkimaStatus status)
{
    switch (status) {
    case AkimaStatus::Ok:
        return "";
    case AkimaStatus::ZuWenigePunkte:
        return "A spline needs at least 3 points.";
    case AkimaStatus::NichtAufsteigend:
        return "The times of the points are not strictly ascending (two points share a time, or "
               "the points are not sorted).";
    case AkimaStatus::NichtEndlich:
        return "A value of the spline is not a finite number.";
    case AkimaStatus::TabellenZuKlein:
        return "The spline tables are not dimensioned for these points.";
    }
    return "";
}

void AkimaTabellenDimensionieren(int n, std::vector<double>& AkimaX, Array2<double>& AkimaYRoh,
                                 Array2<double>& AkimaD, Array2<double>& AkimaC,
                                 Array2<double>& AkimaT, Array2<double>& AkimaY)
{
    const std::size_t groesse = static_cast<std::size_t>(std::max(n, 0)) + 6;
    AkimaX.assign(groesse, 0.0);
    AkimaX[0] = n;
    for (Array2<double>* t : {&AkimaYRoh, &AkimaD, &AkimaC, &AkimaT, &AkimaY}) {
        if (t->rows() == 6 && t->cols() == groesse)
            t->fill(0.0); // same bounds: no new storage
        else
            t->resize(6, groesse);
    }
}

void AkimaTabellenDimensionieren(Declare& d, int n)
{
    d.AkimaPending = PendingSplines{};
    AkimaTabellenDimensionieren(n, d.AkimaX, d.AkimaYRoh, d.AkimaD, d.AkimaC, d.AkimaT, d.AkimaY);
}

void BeginSimulationSplines(Declare& d, int n)
{
    d.AkimaPending = PendingSplines{};
    d.AkimaPending.nodes = n;
    const std::size_t nn = static_cast<std::size_t>(std::max(n, 0));
    const std::size_t size = nn + 6;
    d.AkimaX.resize(size);
    d.AkimaX[0] = n;
    std::fill(d.AkimaX.begin() + static_cast<std::ptrdiff_t>(nn) + 1, d.AkimaX.end(), 0.0);
    Array2<double>& y = d.AkimaYRoh;
    if (y.rows() != 6 || y.cols() != size) {
        y.resize(6, size); // all zero
        return;
    }
    for (std::size_t s = 0; s < 6; ++s) y(s, 0) = 0;
    for (std::size_t i = 1; i <= nn; ++i) y(0, i) = 0;
    for (std::size_t i = nn + 1; i < size; ++i)
        for (std::size_t s = 0; s < 6; ++s) y(s, i) = 0;
}

void DeferSplines(Declare& d, unsigned columns, float smoothing)
{
    d.AkimaPending.pending = true;
    d.AkimaPending.columns = columns;
    d.AkimaPending.smoothing = smoothing;
}

void BuildPendingSplines(const Declare& d)
{
    PendingSplines& p = d.AkimaPending;
    if (!p.pending) return;
    p.pending = false;
    const std::size_t size = static_cast<std::size_t>(std::max(p.nodes, 0)) + 6;
    for (Array2<double>* t : {&d.AkimaD, &d.AkimaC, &d.AkimaT, &d.AkimaY}) {
        if (t->rows() == 6 && t->cols() == size)
            t->fill(0.0);
        else
            t->resize(6, size);
    }
    bool ok = true;
    for (int s = 1; s <= 5; ++s)
        if (p.columns >> s & 1u)
            ok = AkimaSplineBerechnen(s, p.nodes, p.smoothing, d.AkimaX, d.AkimaYRoh, d.AkimaD,
                                      d.AkimaC, d.AkimaT, d.AkimaY) == AkimaStatus::Ok && ok;
    if (!ok) d.AkimaQuelle = kAkimaQuelleKeine;
}

namespace {

// The end extension on plain rows x(1..n+4), y(1..n+4) and m(1..n+3).
void Randpunkte(int n, double* x, double* y, double* m)
{
    // Move the points two places up, from the top down.
    for (int i = 1; i <= n; ++i) {
        x[n + 3 - i] = x[n + 1 - i];
        y[n + 3 - i] = y[n + 1 - i];
    }
    // Two added abscissae at each end, continuing the spacing of the end points.
    x[2] = x[3] + x[4] - x[5];
    x[1] = x[2] + x[3] - x[4];
    x[n + 3] = x[n + 1] + x[n + 2] - x[n];
    x[n + 4] = x[n + 2] + x[n + 3] - x[n + 1];
    // Slopes of the data intervals.
    for (int j = 3; j <= n + 1; ++j) m[j] = (y[j + 1] - y[j]) / (x[j + 1] - x[j]);
    // The added points continue the change of slope at each end.
    y[2] = (m[4] - 2 * m[3]) * (x[3] - x[2]) + y[3];
    m[2] = (y[3] - y[2]) / (x[3] - x[2]);
    y[1] = (m[3] - 2 * m[2]) * (x[2] - x[1]) + y[2];
    m[1] = (y[2] - y[1]) / (x[2] - x[1]);
    y[n + 3] = (2 * m[n + 1] - m[n]) * (x[n + 3] - x[n + 2]) + y[n + 2];
    m[n + 2] = (y[n + 3] - y[n + 2]) / (x[n + 3] - x[n + 2]);
    y[n + 4] = (2 * m[n + 2] - m[n + 1]) * (x[n + 4] - x[n + 3]) + y[n + 3];
    m[n + 3] = (y[n + 4] - y[n + 3]) / (x[n + 4] - x[n + 3]);
}

} // namespace

void AkimaRandpunkte(int spalte, int n, std::vector<double>& AkimaX, Array2<double>& AkimaYRoh,
                     std::vector<double>& m)
{
    const std::size_t s = static_cast<std::size_t>(spalte);
    const std::size_t laenge = static_cast<std::size_t>(n) + 5;
    std::vector<double> y(laenge, 0.0);
    for (std::size_t i = 1; i < laenge; ++i) y[i] = AkimaYRoh(s, i);
    if (m.size() < laenge) m.resize(laenge, 0.0);
    Randpunkte(n, AkimaX.data(), y.data(), m.data());
    for (std::size_t i = 1; i < laenge; ++i) AkimaYRoh(s, i) = y[i];
}

AkimaStatus AkimaSplineBerechnen(int spalte, int n, float glaettung, std::vector<double>& AkimaX,
                                 Array2<double>& yRoh, Array2<double>& D, Array2<double>& C,
                                 Array2<double>& T, Array2<double>& Y)
{
    if (n < 3) return AkimaStatus::ZuWenigePunkte;
    if (!TabellenFassen(spalte, n, AkimaX, {&yRoh, &D, &C, &T, &Y}))
        return AkimaStatus::TabellenZuKlein;
    const std::size_t s = static_cast<std::size_t>(spalte);
    const std::size_t laenge = static_cast<std::size_t>(n) + 5; // positions 0 to n + 4

    // The column is worked on in plain rows: x, y, the slopes m, the node slopes t.
    std::vector<double> puffer(4 * laenge, 0.0);
    double* x = puffer.data();
    double* y = x + laenge;
    double* m = y + laenge;
    double* t = m + laenge;
    for (std::size_t i = 1; i <= static_cast<std::size_t>(n); ++i) {
        x[i] = AkimaX[i];
        y[i] = yRoh(s, i);
        if (!std::isfinite(x[i]) || !std::isfinite(y[i])) return AkimaStatus::NichtEndlich;
    }
    for (int i = 1; i < n; ++i)
        if (!(x[i] < x[i + 1])) return AkimaStatus::NichtAufsteigend;

    if (glaettung != 0.0f) {
        // Weighted moving mean over at most three neighbours on each side; the
        // weight falls with the distance in units of a third of the mean spacing
        // and is 0 from three mean spacings on.
        Randpunkte(n, x, y, m);
        const int N = n + 4;
        const double d = (x[N] - x[1]) / (N - 1);
        const double f = glaettung;
        std::vector<double> glatt(static_cast<std::size_t>(N) + 1, 0.0);
        for (int i = 1; i <= N; ++i) {
            const int h = std::min({3, i - 1, N - i});
            double summeW = 0, summeWY = 0;
            for (int k = i - h; k <= i + h; ++k) {
                double w = 1.0;
                if (k != i) {
                    w = 1.0 - std::pow(std::fabs(x[i] - x[k]) / d * (1.0 / 3.0), f);
                    if (w < 0) w = 0;
                }
                summeW += w;
                summeWY += w * y[k];
            }
            glatt[static_cast<std::size_t>(i)] = summeWY / summeW;
        }
        for (int i = 1; i <= n; ++i) {
            x[i] = x[i + 2];
            y[i] = glatt[static_cast<std::size_t>(i) + 2];
        }
    }

    Randpunkte(n, x, y, m);
    for (int i = 3; i <= n + 2; ++i) {
        const double w1 = std::fabs(m[i + 1] - m[i]);
        const double w2 = std::fabs(m[i - 1] - m[i - 2]);
        if (w1 + w2 != 0)
            t[i] = (w1 * m[i - 1] + w2 * m[i]) / (w1 + w2);
        else
            t[i] = 0.5 * (m[i - 1] + m[i]);
    }
    for (int i = 1; i <= n; ++i) {
        x[i] = x[i + 2];
        y[i] = y[i + 2];
        t[i] = t[i + 2];
    }

    // Back into the tables: the (possibly smoothed) ordinates and the working
    // space as the set-up leaves them, the node values, slopes and coefficients.
    bool endlich = true;
    for (std::size_t i = 1; i < laenge; ++i) {
        AkimaX[i] = x[i];
        yRoh(s, i) = y[i];
    }
    for (std::size_t i = 1; i <= static_cast<std::size_t>(n) + 2; ++i) T(s, i) = t[i];
    for (std::size_t i = 1; i <= static_cast<std::size_t>(n); ++i) {
        Y(s, i) = y[i];
        endlich = endlich && std::isfinite(y[i]) && std::isfinite(t[i]);
    }
    for (std::size_t i = 1; i + 1 <= static_cast<std::size_t>(n); ++i) {
        const double h = x[i + 1] - x[i];
        const double mi = m[i + 2];
        const double ci = (3 * mi - 2 * t[i] - t[i + 1]) / h;
        const double di = (t[i] + t[i + 1] - 2 * mi) / (h * h);
        C(s, i) = ci;
        D(s, i) = di;
        endlich = endlich && std::isfinite(ci) && std::isfinite(di);
    }
    return endlich ? AkimaStatus::Ok : AkimaStatus::NichtEndlich;
}

AkimaStatus AkimaSplineBerechnen(Declare& d, int spalte, int n, float glaettung)
{
    BuildPendingSplines(d);
    return AkimaSplineBerechnen(spalte, n, glaettung, d.AkimaX, d.AkimaYRoh, d.AkimaD, d.AkimaC,
                                d.AkimaT, d.AkimaY);
}

double AkimaPolynom(int spalte, int i, double dx, const Array2<double>& D,
                    const Array2<double>& C, const Array2<double>& T, const Array2<double>& Y)
{
    const std::size_t s = static_cast<std::size_t>(spalte), j = static_cast<std::size_t>(i);
    return ((D(s, j) * dx + C(s, j)) * dx + T(s, j)) * dx + Y(s, j);
}

double AkimaAbleitung(int spalte, int i, double dx, const Array2<double>& D,
                      const Array2<double>& C, const Array2<double>& T, const Array2<double>&)
{
    const std::size_t s = static_cast<std::size_t>(spalte), j = static_cast<std::size_t>(i);
    return (3 * D(s, j) * dx + 2 * C(s, j)) * dx + T(s, j);
}

std::optional<double> AkimaWert(int mode, int spalte, double x, int n,
                                const std::vector<double>& X, const Array2<double>& D,
                                const Array2<double>& C, const Array2<double>& T,
                                const Array2<double>& Y)
{
    if (mode != 0 && mode != 1) return std::nullopt;
    if (n < 1 || std::isnan(x)) return std::nullopt;
    const std::size_t nn = static_cast<std::size_t>(n);
    if (spalte < 0 || X.size() <= nn) return std::nullopt;
    for (const Array2<double>* t : {&D, &C, &T, &Y})
        if (t->rows() <= static_cast<std::size_t>(spalte) || t->cols() <= nn) return std::nullopt;
    const std::size_t s = static_cast<std::size_t>(spalte);

    if (x >= X[nn]) {
        if (mode == 1) return T(s, nn);
        return Y(s, nn) + T(s, nn) * (x - X[nn]);
    }
    if (x < X[1]) {
        if (mode == 1) return T(s, 1);
        return Y(s, 1) + T(s, 1) * (x - X[1]);
    }
    // The interval j with x_j <= x < x_(j+1); the abscissae ascend strictly
    // after a set-up, so bisection finds the same interval as a walk from the
    // first node would.
    const auto erster = X.begin() + 1;
    const auto ende = X.begin() + static_cast<std::ptrdiff_t>(nn) + 1;
    const int j = static_cast<int>(std::upper_bound(erster, ende, x) - X.begin()) - 1;
    const double dx = x - X[static_cast<std::size_t>(j)];
    if (mode == 0) return AkimaPolynom(spalte, j, dx, D, C, T, Y);
    return AkimaAbleitung(spalte, j, dx, D, C, T, Y);
}

std::optional<double> AkimaWert(const Declare& d, int mode, int spalte, double x, int n)
{
    BuildPendingSplines(d);
    return AkimaWert(mode, spalte, x, n, d.AkimaX, d.AkimaD, d.AkimaC, d.AkimaT, d.AkimaY);
}

} // namespace kinhom
