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
    using namespace AxisSlot;
    // x pair, y pair; the -7 and -8 pairs hold the maximum in the lower position.
    if (IsMichaelisMentenChart(code, ctx))
        return AxisPositions{MichaelisXMin, MichaelisXMax, MichaelisYMin, MichaelisYMax};
    constexpr AxisPositions timeConc{TimeMin, TimeMax, ConcMin, ConcMax};
    switch (code) {
    case DiagramCode::RateConstantPoints: return AxisPositions{TempMin, TempMax, KMin, KMax};
    case DiagramCode::Arrhenius: return AxisPositions{InvTempMin, InvTempMax, LnKMin, LnKMax};
    case DiagramCode::Eyring: return AxisPositions{InvTempMin, InvTempMax, LnKOverTMin, LnKOverTMax};
    case DiagramCode::FirstOrderPlot: return AxisPositions{TimeMin, TimeMax, LnCAMin, LnCAMax};
    case DiagramCode::SecondOrderPlot: return AxisPositions{TimeMin, TimeMax, InvCAMin, InvCAMax};
    case DiagramCode::WilkinsonPlot: return AxisPositions{TimeMin, TimeMax, WilkinsonMin, WilkinsonMax};
    case DiagramCode::UnequalStartPlot: return AxisPositions{TimeMin, TimeMax, LnCARatioMin, LnCARatioMax};
    case DiagramCode::LambdaFirstOrder: return AxisPositions{TimeMin, TimeMax, LambdaFirstMin, LambdaFirstMax};
    case DiagramCode::LambdaSecondOrder: return AxisPositions{TimeMin, TimeMax, LambdaSecondMin, LambdaSecondMax};
    case DiagramCode::FittingPoints: case DiagramCode::ConcentrationPoints: case DiagramCode::Tangent:
        return timeConc;
    default: break;
    }
    if ((code >= 1 && code <= 18) || code == 20) return timeConc;
    if (code >= DiagramCode::Rate(1) && code <= DiagramCode::Rate(20))
        return AxisPositions{TimeMin, TimeMax, RateMin, RateMax};
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
    if (ctx.Arbeitsmodus == TaskMode::NonIsothermalFirstOrder) achsen[AxisSlot::ConcMax] = 1.0f;
    else if (ctx.Arbeitsmodus == TaskMode::NonIsothermalSecondOrder) achsen[AxisSlot::ConcMax] = ctx.c0ExpA;
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
