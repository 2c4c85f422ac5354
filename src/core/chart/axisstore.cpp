#include "core/chart/axisstore.h"

namespace kinhom {

AxisKindContext AxisContextOf(const Declare& d)
{
    AxisKindContext ctx;
    ctx.Arbeitsmodus = d.Arbeitsmodus;
    ctx.c0ExpA = d.c0Exp[1];
    ctx.MMDiagramm = d.MMDiagramm;
    ctx.ModellNr = d.ModellNr;
    return ctx;
}

bool IsMichaelisMentenChart(int code, const AxisKindContext& ctx)
{
    return ctx.MMDiagramm && ctx.ModellNr == 10 && (code == 10 || code == DiagramCode::Rate(10));
}

std::optional<AxisPositions> AxisPositionsFor(int code, const AxisKindContext& ctx)
{
    // x pair, y pair; the -7 and -8 pairs hold the maximum in the lower position.
    if (IsMichaelisMentenChart(code, ctx)) return AxisPositions{30, 31, 28, 29};
    switch (code) {
    case DiagramCode::RateConstantPoints: return AxisPositions{6, 7, 8, 9};      // T, k
    case DiagramCode::Arrhenius: return AxisPositions{10, 11, 12, 13};  // 1/T, ln k
    case DiagramCode::Eyring: return AxisPositions{10, 11, 14, 15};  // 1/T, ln(k/T)
    case DiagramCode::FirstOrderPlot: return AxisPositions{0, 1, 16, 17};    // t, ln c(A)
    case DiagramCode::SecondOrderPlot: return AxisPositions{0, 1, 18, 19};    // t, 1/c(A)
    case DiagramCode::WilkinsonPlot: return AxisPositions{0, 1, 21, 20};    // t, t/U (maximum first)
    case DiagramCode::UnequalStartPlot: return AxisPositions{0, 1, 23, 22};    // t, ln(c(A)/c(B)) (maximum first)
    case DiagramCode::LambdaFirstOrder: return AxisPositions{0, 1, 24, 25};   // t, lambda plot of first order
    case DiagramCode::LambdaSecondOrder: return AxisPositions{0, 1, 26, 27};   // t, lambda plot of second order
    case DiagramCode::FittingPoints: case DiagramCode::ConcentrationPoints: case DiagramCode::Tangent:
        return AxisPositions{0, 1, 2, 3};           // t, c
    default: break;
    }
    if ((code >= 1 && code <= 18) || code == 20) return AxisPositions{0, 1, 2, 3};
    if (code >= DiagramCode::Rate(1) && code <= DiagramCode::Rate(20)) return AxisPositions{0, 1, 4, 5}; // t, r
    return std::nullopt;
}

void SaveAxisScales(int code, AchsenInfo& achsen, const DiagrammInfo& diagramm, const AxisKindContext& ctx)
{
    if (const auto p = AxisPositionsFor(code, ctx)) {
        achsen[p->xMin] = diagramm.xMin;
        achsen[p->xMax] = diagramm.xMax;
        achsen[p->yMin] = diagramm.yMin;
        achsen[p->yMax] = diagramm.yMax;
    }
    // The non-isothermal fits plot c(A) relative to 1 (first order) or up to
    // the measured start concentration (second order).
    if (ctx.Arbeitsmodus == TaskMode::NonIsothermalFirstOrder) achsen[3] = 1.0f;
    else if (ctx.Arbeitsmodus == TaskMode::NonIsothermalSecondOrder) achsen[3] = ctx.c0ExpA;
}

void LoadAxisScales(int code, const AchsenInfo& achsen, DiagrammInfo& diagramm, const AxisKindContext& ctx)
{
    if (const auto p = AxisPositionsFor(code, ctx)) {
        diagramm.xMin = achsen[p->xMin];
        diagramm.xMax = achsen[p->xMax];
        diagramm.yMin = achsen[p->yMin];
        diagramm.yMax = achsen[p->yMax];
    }
}

void SaveAxisScales(Declare& d, int code)
{
    SaveAxisScales(code, d.AchsenBereiche, d.Diagramm, AxisContextOf(d));
}

void LoadAxisScales(Declare& d, int code)
{
    LoadAxisScales(code, d.AchsenBereiche, d.Diagramm, AxisContextOf(d));
}

} // namespace kinhom
