#include "core/chart/exppoints.h"

#include <algorithm>

#include "core/chart/evaluation.h"
#include "core/shell/numtext.h"

namespace kinhom {

namespace {

bool IsConcentrationCode(const Declare& d, int code)
{
    if (code == DiagramCode::ConcentrationPoints || code == DiagramCode::FittingPoints || code == DiagramCode::Tangent)
        return true;
    if (code < 1 || code > 20 || code == 19) return false;
    // The Michaelis-Menten diagram of the enzyme model plots rate over S(0).
    return !(code == 10 && d.ModellNr == 10 && d.MMDiagramm);
}

// Puts (x, y) into the set when it lies inside the axis window.
void Place(const Declare& d, ExpPointSets& sets, int set, double x, double y, int index, bool excluded,
           bool& inside)
{
    if (!FitsSingle(x) || !FitsSingle(y)) return;
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    const DiagrammInfo& g = d.Diagramm;
    if (fx < g.xMin || fx > g.xMax || fy < g.yMin || fy > g.yMax) return;
    sets.set[static_cast<std::size_t>(set)].push_back({x, y, index, excluded});
    inside = true;
}

} // namespace

ExpPointSets CalcExperPunkte(const Declare& d, bool& inside)
{
    inside = false;
    ExpPointSets sets;
    const int code = d.DiagrammTyp;
    const int n = std::min<int>(d.AnzahlPunkte, static_cast<int>(d.ExpPunkte.size()) - 1);
    const auto point = [&](int i) -> const ExpPunkt& { return d.ExpPunkte[static_cast<std::size_t>(i)]; };

    if (IsConcentrationCode(d, code)) {
        for (int s = 1; s <= 5; ++s) {
            bool held = false;
            for (int i = 1; i <= n && !held; ++i) held = point(i).c[s] > 0;
            if (!held) continue;
            for (int i = 1; i <= n; ++i)
                Place(d, sets, s, point(i).t, point(i).c[s], i, point(i).exclude != 0, inside);
        }
    } else if (code == DiagramCode::RateConstantPoints) {
        for (int i = 1; i <= n; ++i) {
            const ExpPunkt& p = point(i);
            if (p.T > 0 && p.k > 0) Place(d, sets, 6, p.T, p.k, i, p.exclude != 0, inside);
        }
    } else if (IsEvaluationCode(code)) {
        // The points lie where the evaluation regresses them; the Arrhenius and
        // Eyring points share set 6 with the k-T points.
        const int set = (code == DiagramCode::Arrhenius || code == DiagramCode::Eyring) ? 6 : 1;
        const EvalSelection sel = SelectEvaluationPoints(d, code, true);
        for (const EvalPoint& p : sel.points) Place(d, sets, set, p.x, p.y, p.index, p.excluded, inside);
    }
    return sets;
}

} // namespace kinhom
