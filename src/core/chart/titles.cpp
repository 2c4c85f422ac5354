#include "core/chart/titles.h"

#include <cmath>

#include "core/chart/axisstore.h"
#include "core/kinetics/models.h"
#include "core/shell/numtext.h"

namespace kinhom {

namespace {

std::string CollapseBlanks(const std::string& s)
{
    std::string out;
    bool blank = false;
    for (char ch : s) {
        if (ch == ' ' || ch == '\t') {
            blank = !out.empty();
            continue;
        }
        if (blank) out += ' ';
        blank = false;
        out += ch;
    }
    return out;
}

// Letters of the species slots 1 to 5.
const char* SpeciesLetter(int slot)
{
    static const char* const letters[6] = {"", "A", "B", "C", "P", "Q"};
    return (slot >= 1 && slot <= 5) ? letters[slot] : "A";
}

std::string TimeAxis(const Declare& d) { return "t/" + d.Zeiteinheit; }
const char* const kConcAxis = "c/(mol/l)";
std::string RateAxis(const Declare& d) { return "r/(mol/(l*" + d.Zeiteinheit + "))"; }

// Second-order reactions of the linearised plots: model 4 is A + B => P with
// equal start concentrations, otherwise 2A => P.
const char* SecondOrderReaction(const Declare& d)
{
    return d.ModellNr == 4 ? "A + B => P" : "2A => P";
}

std::string LambdaFirstOrderAxis(const Declare& d)
{
    return d.Lambda0 == 0 ? "ln(lambda(inf) - lambda)"
                          : "ln((lambda(inf) - lambda)/(lambda(inf) - lambda(0)))";
}

std::string LambdaSecondOrderAxis(const Declare& d)
{
    // Without lambda(0) the plotted ratio has no unit; with it the ratio is
    // 1/c(A) computed from lambda, in l/mol.
    return d.Lambda0 == 0 ? "lambda(inf)/(lambda(inf) - lambda)"
                          : "(lambda(inf) - lambda(0))/((lambda(inf) - lambda)*c(A)(0)) / (l/mol)";
}

// Header of a chart of the model's courses in a fitting task, also used by the
// fitting's data chart (code -9).
std::string FittingHeader(const Declare& d)
{
    switch (d.Arbeitsmodus) {
    case TaskMode::FitKAndOrder: return "fitting of k and n: " + ModellTitel(d, d.ModellNr, false);
    case TaskMode::NonIsothermalFirstOrder: return "non-isothermal fitting according to 1st order: A => P";
    case TaskMode::NonIsothermalSecondOrder: return "non-isothermal fitting according to 2nd order: 2A => P";
    default: return "fitting of k: " + ModellTitel(d, d.ModellNr, true);
    }
}

bool IsModelCode(int code) { return IsKatalogModell(code); }
bool IsRateCode(int code)
{
    return code > DiagramCode::RateOffset && IsKatalogModell(code - DiagramCode::RateOffset);
}

} // namespace

std::string ModellTitel(const Declare& d, int model, bool withOrder)
{
    if (!IsKatalogModell(model)) return {};
    std::string name;
    if (static_cast<std::size_t>(model) < d.ModellNamen.size()) name = CollapseBlanks(d.ModellNamen[model]);
    if (name.empty()) name = "model " + std::to_string(model);
    if (model == 20 && withOrder) name += " (n = " + FormatPatternSingle(d.Ordnung, "0.00") + ")";
    return name;
}

DiagramTitles DiagramTitlesFor(const Declare& d, int code)
{
    const AxisKindContext ctx = AxisContextOf(d);
    if (IsMichaelisMentenChart(code, ctx)) {
        return {"Michaelis-Menten diagram: " + ModellTitel(d, 10, false),
                d.MMNormiert ? "S(0)/KM" : "S(0)/(mol/l)", "r(P)/r(P),max"};
    }
    if (IsModelCode(code)) {
        const std::string header = d.Arbeitsmodus == TaskMode::Simulation
                                       ? "simulation of the concentrations: " + ModellTitel(d, code, true)
                                       : FittingHeader(d);
        return {header, TimeAxis(d), kConcAxis};
    }
    if (IsRateCode(code))
        return {"simulation of the reaction rates: " + ModellTitel(d, code - DiagramCode::RateOffset, true),
                TimeAxis(d), RateAxis(d)};

    switch (code) {
    case DiagramCode::ConcentrationPoints:
        return {"experimental data: concentration vs. time", TimeAxis(d), kConcAxis};
    case DiagramCode::RateConstantPoints:
        return {"experimental data: rate constant vs. temperature", "T/K", "k"};
    case DiagramCode::Arrhenius:
        return {"evaluation of k-T data according to ARRHENIUS", "1/T / (1/K)", "ln k"};
    case DiagramCode::Eyring:
        return {"evaluation of k-T data according to EYRING", "1/T / (1/K)", "ln(k/T)"};
    case DiagramCode::FirstOrderPlot:
        if (d.LambdaAuswertung)
            return {"evaluation of lambda-data according to 1st order: A => P", TimeAxis(d), LambdaFirstOrderAxis(d)};
        return {"evaluation of c-t data according to 1st order: A => P", TimeAxis(d), "ln c(A)"};
    case DiagramCode::SecondOrderPlot:
        return {std::string("evaluation of c-t data according to 2nd order: ") + SecondOrderReaction(d), TimeAxis(d),
                "1/c(A) / (l/mol)"};
    case DiagramCode::WilkinsonPlot:
        // U is the conversion (c(A)(0) - c(A))/c(A)(0); t/U has the unit of time.
        return {"evaluation of c-t data according to WILKINSON (order n): A => P", TimeAxis(d),
                "t/U / " + d.Zeiteinheit};
    case DiagramCode::UnequalStartPlot:
        return {"evaluation of c-t data according to 2nd order: A + B => P, c(A)(0) <> c(B)(0)", TimeAxis(d),
                "ln(c(A)/c(B))"};
    case DiagramCode::FittingPoints:
        return {FittingHeader(d), TimeAxis(d), kConcAxis};
    case DiagramCode::LambdaFirstOrder:
        return {"evaluation of lambda-data according to 1st order: A => P", TimeAxis(d), LambdaFirstOrderAxis(d)};
    case DiagramCode::LambdaSecondOrder:
        return {std::string("evaluation of lambda-data according to 2nd order: ") + SecondOrderReaction(d),
                TimeAxis(d), LambdaSecondOrderAxis(d)};
    case DiagramCode::Tangent: {
        const std::string species = std::string("c(") + SpeciesLetter(d.TangenteSpalte) + ")";
        return {"rate of reaction from tangents: spline through the points " + species + " - t", TimeAxis(d),
                species + "/(mol/l)"};
    }
    default:
        return {};
    }
}

int KurvenFuerCode(const Declare& d, int code)
{
    if (IsMichaelisMentenChart(code, AxisContextOf(d))) return 1;
    if (IsModelCode(code)) return ModellSpeziesAnzahl(code);
    if (IsRateCode(code)) return ModellSpeziesAnzahl(code - 50);
    return 1;
}

DiagrammInfo MichaelisMentenFenster(const Declare& d)
{
    DiagrammInfo w;
    float xEnd = d.MMNormiert ? 20.0f : d.S0max;
    if (!(std::isfinite(xEnd) && xEnd > 0)) xEnd = 1.0f;
    w.xMin = 0;
    w.xMax = xEnd;
    w.yMin = 0;
    w.yMax = 1.0f; // r(P)/r(P),max stays below 1
    return w;
}

void SetDiagramTitles(Declare& d)
{
    const int code = d.DiagrammTyp;
    LoadAxisScales(d, code);
    if (IsMichaelisMentenChart(code, AxisContextOf(d))) {
        const DiagrammInfo& w = d.Diagramm;
        const bool sound = std::isfinite(w.xMin) && std::isfinite(w.xMax) && std::isfinite(w.yMin) &&
                           std::isfinite(w.yMax) && w.xMin < w.xMax && w.yMin < w.yMax;
        if (!sound) {
            const DiagrammInfo mm = MichaelisMentenFenster(d);
            d.Diagramm.xMin = mm.xMin;
            d.Diagramm.xMax = mm.xMax;
            d.Diagramm.yMin = mm.yMin;
            d.Diagramm.yMax = mm.yMax;
        }
    }
    DiagramTitles t = DiagramTitlesFor(d, code);
    d.Diagramm.Titel = std::move(t.Titel);
    d.Diagramm.xTitel = std::move(t.xTitel);
    d.Diagramm.yTitel = std::move(t.yTitel);
    d.KurvenZuZeichnen = KurvenFuerCode(d, code);
}

} // namespace kinhom
