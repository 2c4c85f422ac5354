#include "core/dataedit/manuinput.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/shell/fieldline.h"
#include "core/shell/numtext.h"

namespace kinhom {

std::vector<GridColumn> ManuGridColumns()
{
    return {{"No.", CellKind::RowNumber}, {"x", CellKind::Single}, {"y", CellKind::Single},
            {"excl.", CellKind::Exclude}};
}

std::vector<GridRow> ManuRowsFromPoints(const std::vector<KurvenPunkt>& points)
{
    std::vector<GridRow> rows;
    rows.reserve(points.size());
    int key = 0;
    for (const KurvenPunkt& p : points)
        rows.push_back(GridRow{{0.0, p.x, p.y, p.Aus == -1.0f ? -1.0 : 0.0}, ++key});
    return rows;
}

std::vector<KurvenPunkt> ManuPointsFromRows(const std::vector<GridRow>& rows)
{
    std::vector<KurvenPunkt> points;
    points.reserve(rows.size());
    for (const GridRow& r : rows) {
        KurvenPunkt p;
        p.x = static_cast<float>(r.v.at(kManuColX));
        p.y = static_cast<float>(r.v.at(kManuColY));
        p.Aus = r.v.at(kManuColAus) != 0 ? -1.0f : 0.0f;
        points.push_back(p);
    }
    return points;
}

std::vector<KurvenPunkt> StoredXYPoints(const Declare& d)
{
    const int n = std::clamp(d.AnzahlXYPunkte, 0, std::max(0, static_cast<int>(d.XYPunkte.size()) - 1));
    return std::vector<KurvenPunkt>(d.XYPunkte.begin() + (n > 0 ? 1 : 0), d.XYPunkte.begin() + (n > 0 ? n + 1 : 0));
}

void StoreXYPoints(Declare& d, const std::vector<KurvenPunkt>& points)
{
    d.XYPunkte.assign(1, KurvenPunkt{});
    d.XYPunkte.insert(d.XYPunkte.end(), points.begin(), points.end());
    d.AnzahlXYPunkte = static_cast<int>(points.size());
}

bool ApplyValueOp(std::vector<GridRow>& rows, const std::vector<std::pair<int, int>>& cells, ValueOp op,
                  double value, int& changed, std::string& error)
{
    changed = 0;
    error.clear();
    if (op == ValueOp::Divide && value == 0) {
        error = "Division by zero is not possible: enter a value other than 0.";
        return false;
    }
    std::vector<GridRow> result = rows;
    for (const auto& [r, c] : cells) {
        if (r < 0 || r >= static_cast<int>(result.size()) || (c != kManuColX && c != kManuColY)) continue;
        double& v = result[static_cast<std::size_t>(r)].v[static_cast<std::size_t>(c)];
        double w = v;
        switch (op) {
        case ValueOp::Add: w = v + value; break;
        case ValueOp::Subtract: w = v - value; break;
        case ValueOp::Multiply: w = v * value; break;
        case ValueOp::Divide: w = v / value; break;
        }
        if (!FitsSingle(w)) {
            error = "The result in row " + std::to_string(r + 1) + ", column " + (c == kManuColX ? "x" : "y") +
                    " is too large for a single precision number; nothing was changed.";
            return false;
        }
        v = static_cast<float>(w);
        ++changed;
    }
    rows = std::move(result);
    return true;
}

bool ValueBoxKeyAllowed(int keyCode)
{
    if (keyCode >= '0' && keyCode <= '9') return true;
    switch (keyCode) {
    case '.': case '-': case '+': case 'E': case 'e': case 8: case 13: case 127: return true;
    default: return false;
    }
}

bool ReadValueBox(const std::string& text, double& value, std::string& error)
{
    std::string why;
    if (ParseDoubleField(text, value, why)) return true;
    error = "Please enter a number in the value box, with \".\" as decimal sign (" + why + ").";
    return false;
}

std::vector<KurvenPunkt> ManuPunkteFrom(const std::vector<KurvenPunkt>& points)
{
    std::vector<KurvenPunkt> manu(1);
    for (const KurvenPunkt& p : points)
        if (p.Aus != -1.0f) manu.push_back(KurvenPunkt{p.x, p.y, 0});
    manu[0].x = static_cast<float>(manu.size() - 1);
    return manu;
}

namespace {

void Cover(float lo, float hi, float& outMin, float& outMax)
{
    double spread = static_cast<double>(hi) - lo;
    double margin = spread > 0 ? spread / 20 : (lo != 0 ? std::fabs(static_cast<double>(lo)) / 20 : 1.0);
    double a = lo - margin, b = hi + margin;
    // keep the window inside single precision
    const double big = std::numeric_limits<float>::max();
    outMin = static_cast<float>(std::max(a, -big));
    outMax = static_cast<float>(std::min(b, big));
}

} // namespace

bool ManualAxisWindow(const std::vector<KurvenPunkt>& manuPunkte, DiagrammInfo& diagramm)
{
    if (manuPunkte.empty()) return false;
    const int n = std::clamp(static_cast<int>(manuPunkte[0].x), 0, static_cast<int>(manuPunkte.size()) - 1);
    if (n < 1) return false;
    float xMin = manuPunkte[1].x, xMax = xMin, yMin = manuPunkte[1].y, yMax = yMin;
    for (int i = 2; i <= n; ++i) {
        const KurvenPunkt& p = manuPunkte[static_cast<std::size_t>(i)];
        xMin = std::min(xMin, p.x);
        xMax = std::max(xMax, p.x);
        yMin = std::min(yMin, p.y);
        yMax = std::max(yMax, p.y);
    }
    Cover(xMin, xMax, diagramm.xMin, diagramm.xMax);
    Cover(yMin, yMax, diagramm.yMin, diagramm.yMax);
    return true;
}

} // namespace kinhom
