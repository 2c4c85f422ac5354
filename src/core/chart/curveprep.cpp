#include "core/chart/curveprep.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/chart/evaluation.h"
#include "core/evaluation/tangent.h"
#include "core/kinetics/akima.h"
#include "core/kinetics/models.h"
#include "core/shell/error.h"
#include "core/shell/numtext.h"

namespace kinhom {

// ---- curve slots ---------------------------------------------------------------

bool NextCurveSlot(KurvenSlots& kurveFrei, int& kurvenAnzahl, int& slot)
{
    if (kurvenAnzahl <= 0) {
        kurvenAnzahl = 0;
        kurveFrei.fill(true);
    }
    if (kurvenAnzahl + 1 > kMaxKurven) {
        kurvenAnzahl = kMaxKurven;
        return false;
    }
    for (int i = 1; i <= kMaxKurven; ++i) {
        if (kurveFrei[i]) {
            kurveFrei[i] = false;
            slot = i;
            ++kurvenAnzahl;
            return true;
        }
    }
    return false;
}

void ReleaseCurveSlot(KurvenSlots& kurveFrei, int& kurvenAnzahl, int slot)
{
    if (slot < 1 || slot > kMaxKurven || kurveFrei[slot]) return;
    kurveFrei[slot] = true;
    if (kurvenAnzahl > 0) --kurvenAnzahl;
}

std::string NoCurveSlotMessage()
{
    return "Maximum" + StrSingle(static_cast<float>(kMaxKurven)) + " curves possible\r\nDelete existing curves";
}

// ---- label placement ------------------------------------------------------------

int LabelPointIndex(int count, int L, int slot)
{
    if (count < 1) return 0;
    const int f = ((slot - 1) % 4 + 4) % 4 + 1;
    // CLng rounds half to even, as nearbyint does in the default rounding mode.
    const double at = std::nearbyint(L / 1.2 - 0.18 * L * f);
    if (at < 1) return 1;
    if (at > count) return count;
    return static_cast<int>(at);
}

int LabelPointIndex(const std::vector<KurvenPunkt>& punkte, float xMax, int slot)
{
    if (punkte.empty()) return 0;
    int count = static_cast<int>(punkte[0].x);
    count = std::min(count, static_cast<int>(punkte.size()) - 1);
    if (count < 1) return 0;
    int L = count; // no point left of xMax: the last point
    for (int i = count; i >= 1; --i) {
        if (punkte[i].x < xMax) {
            L = i;
            break;
        }
    }
    return LabelPointIndex(count, L, slot);
}

// ---- curve preparation ----------------------------------------------------------

namespace {

// Species of a model's courses in the order the curves are drawn.
struct SpeciesOrder {
    int count = 0;
    int slots[4] = {0, 0, 0, 0};
};

SpeciesOrder OrderOf(int model)
{
    switch (model) {
    case 1: case 2: case 3: case 5: case 8: case 20: return {2, {1, 4}};
    case 4: case 12: case 17: return {3, {1, 2, 4}};
    case 6: case 14: case 15: return {3, {1, 3, 4}};
    case 7: case 9: case 10: case 13: case 18: return {4, {1, 2, 3, 4}};
    case 11: case 16: return {3, {1, 4, 5}};
    default: return {};
    }
}

int ModelOfCode(int code)
{
    if (IsKatalogModell(code)) return code;
    if (code > DiagramCode::RateOffset && IsKatalogModell(code - DiagramCode::RateOffset))
        return code - DiagramCode::RateOffset;
    return 0;
}

// Models whose curves the non-isothermal fits draw as one c(A) curve.
bool IsFirstGroup(int model) { return OrderOf(model).count == 2; }

const char* SpeciesName(int slot, bool enzyme)
{
    static const char* const plain[6] = {"", "A", "B", "C", "P", "Q"};
    static const char* const enzymeNames[6] = {"", "E", "S", "ES", "P", "Q"};
    return enzyme ? enzymeNames[slot] : plain[slot];
}



bool FiniteSingle(double v)
{
    return std::isfinite(v) && std::fabs(v) <= std::numeric_limits<float>::max();
}

void EnsureBuffer(Declare& d)
{
    if (d.KurvenPunkte.size() < static_cast<std::size_t>(kKurvenPunkteMax) + 1)
        d.KurvenPunkte.resize(static_cast<std::size_t>(kKurvenPunkteMax) + 1);
}

std::string BufferFullText(int needed)
{
    return "The curve needs " + std::to_string(needed) + " points; the curve buffer holds " +
           std::to_string(kKurvenPunkteMax) + ". Reduce the curve resolution or the x range of the diagram.";
}

// One species course from the simulated table. Throws KinError on a fault.
void SpeciesCurve(Declare& d, int slot, int species, bool& outside, CurveOutcome& out)
{
    const bool enzyme = d.ModellNr == 10;
    const bool rate = d.RateDiagramm || (species == 4 && d.MMDiagramm);
    const std::string name = SpeciesName(species, enzyme);

    // 1. label
    std::string label;
    if (species == 1 && !d.RateDiagramm && TaskMode::IsNonIsothermal(d.Arbeitsmodus) && !enzyme) {
        // The non-isothermal fits draw one curve per measured temperature; the
        // slot number is the temperature's index.
        if (slot < 1 || slot > d.AnzahlTemperaturen || slot >= static_cast<int>(d.Temperaturen.size()))
            throw KinError("There is no measured temperature no. " + std::to_string(slot) +
                           " for this curve: the data hold " + std::to_string(d.AnzahlTemperaturen) +
                           " different temperature(s).");
        const float temperature = d.Temperaturen[slot];
        if (!std::isfinite(temperature))
            throw KinError("The measured temperature no. " + std::to_string(slot) + " is not a number.");
        label = "T/K = " + FormatPatternSingle(temperature, "####,##");
    } else if (species == 4 && d.MMDiagramm) {
        label = "";
        outside = false;
    } else {
        label = std::string(d.RateDiagramm ? "r(" : "c(") + name + ") ";
    }

    // 2. points
    const int n = d.SimAnzahl + 1;
    if (n < 1) throw KinError("The simulated table holds no rows.");
    if (n > kKurvenPunkteMax) throw KinError(BufferFullText(n));
    if (static_cast<int>(d.SimT.size()) < n || static_cast<int>(d.SimC(species).size()) < n ||
        (rate && static_cast<int>(d.SimR(species).size()) < n))
        throw KinError("The simulated table holds fewer than " + std::to_string(n) + " rows.");

    const std::vector<double>& conc = d.SimC(species);
    const std::vector<float>& rates = d.SimR(species);
    bool inside = false;
    for (int i = 0; i < n; ++i) {
        const double x = d.SimT[i];
        const double y = rate ? static_cast<double>(rates[i]) : conc[i];
        if (!FiniteSingle(x) || !FiniteSingle(y))
            throw KinError("The simulated course of " + std::string(rate ? "r(" : "c(") + name +
                           ") holds a value that is not a finite number (row " + std::to_string(i) + ").");
        KurvenPunkt& p = d.KurvenPunkte[static_cast<std::size_t>(i) + 1];
        p.x = static_cast<float>(x);
        p.y = static_cast<float>(y);
        if (p.y >= d.Diagramm.yMin && p.y <= d.Diagramm.yMax) inside = true;
    }
    // 3. only the course of A tells whether the curves reach the window
    if (species == 1 && inside) outside = false;
    // 4.
    d.KurvenPunkte[0].x = static_cast<float>(n);

    out.kind = CurveOutcome::Kind::Curve;
    out.hasLabel = true;
    out.label = label;
}

std::string SpeciesText(int column) { return SpeciesConcText(column); }

// Spline through the measured points of one species (tangent chart).
void SplineCurve(Declare& d, int punktDichte, bool& outside, CurveOutcome& out)
{
    const int column = d.TangenteSpalte;
    const std::string what = "the spline through the points " + SpeciesText(column) + " - t";
    const int n = d.AnzahlPunkte;

    // The sampling step: half an interval of the curve resolution across the
    // visible x range.
    if (punktDichte <= 0) throw KinError("The curve resolution must be at least 1.");
    const float dx = (d.Diagramm.xMax - d.Diagramm.xMin) / static_cast<float>(punktDichte);
    const float step = dx * 0.5f;
    if (!(std::isfinite(step) && step > 0))
        throw KinError("The x range of the diagram is empty (x(min) =" + StrSingle(d.Diagramm.xMin) +
                       ", x(max) =" + StrSingle(d.Diagramm.xMax) + "); the spline cannot be sampled.");

    // 1.-3. the tables, rebuilt from the measured points (excluded ones too)
    BuildMeasuredSpline(d, column, d.Glaettung);

    // 4. sample from x = 0 to xMax in half steps of the curve resolution
    // The abscissae are counted, not summed, so that no rounding drifts in;
    // an end that a rounding error of the step misses by less than a
    // thousandth of a step is still taken, exactly at xMax.
    const double xEnd = d.Diagramm.xMax;
    const double tolerance = 1e-3 * static_cast<double>(step);
    int count = 0;
    for (long i = 0;; ++i) {
        double xs = static_cast<double>(i) * step;
        if (xs > xEnd + tolerance) break;
        if (xs > xEnd) xs = xEnd;
        if (count + 1 > kKurvenPunkteMax) throw KinError(BufferFullText(count + 1) + " (" + what + ")");
        const float x = static_cast<float>(xs);
        const std::optional<double> y = AkimaWert(d, 0, column, x, n);
        if (!y || !FiniteSingle(*y))
            throw KinError("For " + what + " no finite value was found at t =" + StrSingle(x) + ".");
        const float yf = static_cast<float>(*y);
        if (yf >= d.Diagramm.yMin && yf <= d.Diagramm.yMax) outside = false;
        ++count;
        d.KurvenPunkte[static_cast<std::size_t>(count)] = KurvenPunkt{x, yf, 0};
    }
    // 5.
    d.KurvenPunkte[0].x = static_cast<float>(count);
    // 6. no label for this curve
    out.kind = count > 0 ? CurveOutcome::Kind::Curve : CurveOutcome::Kind::NoCurve;
}

} // namespace

int CurveSpecies(int code, int kurvenZuZeichnen)
{
    const SpeciesOrder order = OrderOf(ModelOfCode(code));
    if (kurvenZuZeichnen < 1 || kurvenZuZeichnen > order.count) return 0;
    return order.slots[order.count - kurvenZuZeichnen];
}

CurveOutcome PrepareCurveData(Declare& d, int code, int slot, int punktDichte, bool& outside, char dec)
{
    CurveOutcome out;
    EnsureBuffer(d);
    if (d.KurvenZuZeichnen <= 0) {
        // nothing pending: nothing prepared, nothing counted
        d.KurvenPunkte[0].x = 0;
        return out;
    }
    bool countDown = true;
    try {
        const int model = ModelOfCode(code);
        if (IsEvaluationCode(code)) {
            EvalOutcome e = PrepareEvaluationCurve(d, code, outside, dec);
            out.statusText = std::move(e.statusText);
            out.RegA = e.RegA;
            out.RegB = e.RegB;
            out.RegR2 = e.RegR2;
            out.showPoints = e.showPoints;
            switch (e.kind) {
            case EvalOutcome::Kind::Line: out.kind = CurveOutcome::Kind::Curve; break;
            case EvalOutcome::Kind::NoLine: out.kind = CurveOutcome::Kind::NoCurve; break;
            case EvalOutcome::Kind::Failed: throw KinError(e.fehlerText);
            }
        } else if (model != 0) {
            int species = 0;
            if (TaskMode::IsNonIsothermal(d.Arbeitsmodus) && IsFirstGroup(model)) {
                species = 1; // one curve per pass
                countDown = false;
            } else {
                species = CurveSpecies(code, d.KurvenZuZeichnen);
            }
            if (species != 0) SpeciesCurve(d, slot, species, outside, out);
            if (!countDown) d.KurvenZuZeichnen = 0;
        } else if (code == DiagramCode::Tangent) {
            SplineCurve(d, punktDichte, outside, out);
        }
    } catch (const KinError& e) {
        out = CurveOutcome{};
        out.kind = CurveOutcome::Kind::Failed;
        out.fehlerText = e.description();
        d.KurvenPunkte[0].x = 0;
        return out;
    } catch (const std::exception& e) {
        out = CurveOutcome{};
        out.kind = CurveOutcome::Kind::Failed;
        out.fehlerText = e.what();
        d.KurvenPunkte[0].x = 0;
        return out;
    }
    if (out.kind == CurveOutcome::Kind::NoCurve) d.KurvenPunkte[0].x = 0;
    if (countDown) --d.KurvenZuZeichnen;
    return out;
}

} // namespace kinhom
