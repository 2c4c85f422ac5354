#include "core/kinetics/regression.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

#include "core/shell/error.h"

namespace kinhom {

namespace {

constexpr int kMaxBasis = 5;

// Basis values of one point: 1, x, x^2, x^3, x^4 as far as the mode needs
// them (plain products), the rest 0. Without the constant every value moves
// down one place, so x becomes the first basis function.
void Basis(double x, int mode, bool ohneKonstante, double (&b)[kMaxBasis + 1])
{
    for (double& v : b) v = 0.0;
    if (mode >= 1 && mode <= 5) {
        b[1] = 1.0;
        b[2] = x;
        if (mode >= 3) b[3] = x * x;
        if (mode >= 4) b[4] = x * x * x;
        if (mode >= 5) b[5] = x * x * x * x;
    }
    if (ohneKonstante) {
        for (int i = 1; i < kMaxBasis; ++i) b[i] = b[i + 1];
        b[kMaxBasis] = 0.0;
    }
}

// A pivot candidate whose size is at the level of the rounding noise of its
// column counts as zero. For normal equations the pivot of column k is the part
// of basis function k that the earlier ones do not explain; when that part is
// below this fraction of the column's own sum of squares the column is
// (numerically) a combination of the others, e.g. all x equal (whose rounding
// noise stays below 1e-12 for up to 32767 points). For a straight line this
// means that x values spread by less than about 1e-5 of their size count as
// equal.
constexpr double kPivotTol = 1e-10;

// Sums of squares that are this small relative to the sum of w y^2 are rounding
// noise of an exact fit or of identical y values.
constexpr double kSumTol = 1e-20;

} // namespace

void CalcRegression(const std::vector<float>& regX, const std::vector<float>& regY,
                    const std::vector<float>& regW, int np, int mode, std::int16_t ohneKonstanteFlag,
                    Array2<double>& A, float& s, float& relAbweichung, float& r2, bool& failed)
{
    if (np < 1 || np > kMaxBasis) throw KinError("Invalid procedure call or argument");
    // points 1 to N, N being the upper index of the x values
    const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(regX.size()) - 1;
    if (n >= 1 && (regY.size() < regX.size() || regW.size() < regX.size()))
        throw KinError("Subscript out of range");
    const bool ohneKonstante = ohneKonstanteFlag == 1;
    const std::size_t cols = static_cast<std::size_t>(np) + 2;
    if (A.rows() < static_cast<std::size_t>(np) + 1 || A.cols() < cols)
        A.resize(std::max(A.rows(), static_cast<std::size_t>(np) + 1), std::max(A.cols(), cols), 0.0, true);

    // 1. clear the normal equations
    for (int i = 1; i <= np; ++i)
        for (int j = 1; j <= np + 1; ++j) A(i, j) = 0.0;

    // 2. build them in one pass over the points
    double b[kMaxBasis + 1];
    for (std::ptrdiff_t p = 1; p <= n; ++p) {
        const double x = regX[p], y = regY[p], w = regW[p];
        Basis(x, mode, ohneKonstante, b);
        for (int i = 1; i <= np; ++i) {
            for (int j = 1; j <= i; ++j) {
                A(i, j) = A(i, j) + b[i] * b[j] * w;
                A(j, i) = A(i, j);
            }
            A(i, np + 1) = A(i, np + 1) + y * b[i] * w;
        }
    }

    double diag[kMaxBasis + 1] = {};
    for (int k = 1; k <= np; ++k) diag[k] = std::fabs(A(k, k));

    // 3. Gauss-Jordan elimination with row exchange
    for (int k = 1; k <= np; ++k) {
        const double tol = kPivotTol * diag[k];
        int pivot = 0;
        for (int i = k; i <= np; ++i) {
            if (A(i, k) != 0.0 && std::fabs(A(i, k)) > tol) {
                pivot = i;
                break;
            }
        }
        if (pivot == 0) {
            failed = true;
            return;
        }
        if (pivot != k)
            for (int j = 1; j <= np + 1; ++j) std::swap(A(pivot, j), A(k, j));
        const double r = 1.0 / A(k, k);
        for (int j = 1; j <= np + 1; ++j) A(k, j) = A(k, j) * r;
        for (int i = 1; i <= np; ++i) {
            if (i == k) continue;
            const double f = -A(i, k);
            for (int j = 1; j <= np + 1; ++j) A(i, j) = f * A(k, j) + A(i, j);
        }
    }
    for (int i = 1; i <= np; ++i) {
        if (!std::isfinite(A(i, np + 1))) {
            failed = true;
            return;
        }
    }

    // 4. weight sum; the statistics need more weight than coefficients
    double sw = 0.0;
    for (std::ptrdiff_t p = 1; p <= n; ++p) sw += regW[p];
    if (!(sw > np)) {
        s = 0.0f;
        relAbweichung = 0.0f;
        r2 = 0.0f;
        return;
    }
    double swy = 0.0, swyy = 0.0;
    for (std::ptrdiff_t p = 1; p <= n; ++p) {
        const double y = regY[p], w = regW[p];
        swy += w * y;
        swyy += w * y * y;
    }
    const double ymean = swy / sw;

    // 5. second pass: fitted values and the sums of squares
    double ssr = 0.0, sst = 0.0, sse = 0.0, srel = 0.0;
    for (std::ptrdiff_t p = 1; p <= n; ++p) {
        const double x = regX[p], y = regY[p], w = regW[p];
        Basis(x, mode, ohneKonstante, b);
        double yfit = 0.0;
        for (int i = 1; i <= np; ++i) yfit += A(i, np + 1) * b[i];
        ssr += w * (yfit - ymean) * (yfit - ymean);
        sst += w * (y - ymean) * (y - ymean);
        sse += w * (y - yfit) * (y - yfit);
        if (y != 0.0) {
            const double rel = (y - yfit) / y * 100.0;
            srel += w * rel * rel;
        }
    }

    // 6. the statistics, stored in single precision
    const double noise = kSumTol * swyy;
    const double sVal = std::sqrt(std::max(sse, 0.0) / (sw - np));
    const double relVal = std::sqrt(std::max(srel, 0.0) / sw);
    double r2Val;
    if (sst <= noise)
        r2Val = sse <= noise ? 1.0 : 0.0; // no spread in y: a perfect fit or none
    else
        r2Val = ssr / sst;
    const float sF = static_cast<float>(sVal), relF = static_cast<float>(relVal), r2F = static_cast<float>(r2Val);
    if (!std::isfinite(sF) || !std::isfinite(relF) || !std::isfinite(r2F)) {
        failed = true;
        return;
    }
    s = sF;
    relAbweichung = relF;
    r2 = r2F;
}

} // namespace kinhom
