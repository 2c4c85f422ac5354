#include "core/chart/evaluation.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/evaluation/fitstart.h"
#include "core/kinetics/regression.h"
#include "core/shell/error.h"
#include "core/shell/numtext.h"

namespace kinhom {

const char* const kNoEvaluationText =
    "No evaluation possible: the active points do not determine a straight line";

namespace {

// Gas constant in J/(mol K), Boltzmann's constant in J/K, Planck's constant in J s.
constexpr double kGasR = 8.3145;
constexpr double kBoltzmann = 1.38066e-23;
constexpr double kPlanck = 6.62618e-34;

// Number of steps across the visible x range when the line is sampled.
constexpr int kLineSteps = 120;

enum class Step { Skip, Take, Fault };

std::string PointName(int i) { return "point " + std::to_string(i); }

// A value stored as single precision must lie within its range.
bool ToSingle(double v, float& out)
{
    if (!FitsSingle(v)) return false;
    out = static_cast<float>(v);
    return true;
}

// Transforms record i for the code. Returns Skip when the point's defining
// quantity is not positive, Fault (with the cause in why) when the transform
// cannot be formed.
Step TransformPoint(const Declare& d, int code, int i, float& x, float& y, std::string& why)
{
    const ExpPunkt& p = d.ExpPunkte[static_cast<std::size_t>(i)];
    const double cA = p.c[1];
    const double lu = d.LambdaUnendlich;
    const double l0 = d.Lambda0;
    const double lam = p.lambda;
    const double c0 = d.c0Exp[1];
    double xv = p.t;
    double yv = 0;

    switch (code) {
    case DiagramCode::LambdaSecondOrder: {
        if (!(p.lambda > 0)) return Step::Skip;
        const double diff = lu - lam;
        if (diff == 0) {
            why = "Division by zero: the lambda of " + PointName(i) + " equals lambda(inf)";
            return Step::Fault;
        }
        if (l0 == 0) {
            yv = lu / diff;
        } else {
            if (c0 == 0) {
                why = "Division by zero: the start concentration c(A)(0) of the data is 0";
                return Step::Fault;
            }
            yv = (lu - l0) / (diff * c0);
        }
        break;
    }
    case DiagramCode::LambdaFirstOrder:
    case DiagramCode::FirstOrderPlot:
        if (d.LambdaAuswertung) {
            if (!(p.lambda > 0)) return Step::Skip;
            double v = lu - lam;
            if (l0 != 0) {
                if (lu == l0) {
                    why = "Division by zero: lambda(0) equals lambda(inf)";
                    return Step::Fault;
                }
                v = v / (lu - l0);
            }
            if (!(v > 0)) {
                why = "Logarithm of a value that is not positive: the lambda of " + PointName(i) +
                      " does not lie between lambda(0) and lambda(inf)";
                return Step::Fault;
            }
            yv = std::log(v);
        } else {
            if (!(cA > 0)) return Step::Skip;
            yv = std::log(cA);
        }
        break;
    case DiagramCode::SecondOrderPlot:
        if (!(cA > 0)) return Step::Skip;
        yv = 1.0 / cA;
        break;
    case DiagramCode::UnequalStartPlot:
        if (!(cA > 0) || !(p.c[2] > 0)) return Step::Skip;
        yv = std::log(cA / p.c[2]);
        break;
    case DiagramCode::WilkinsonPlot: {
        if (!(p.t > 1e-8)) return Step::Skip;
        if (c0 == 0) {
            why = "Division by zero: the start concentration c(A)(0) of the data is 0, so the "
                  "conversion U is not defined";
            return Step::Fault;
        }
        const double u = (c0 - cA) / c0;
        if (u == 0) {
            why = "Division by zero: the conversion U of " + PointName(i) +
                  " is 0 (c(A) equals c(A)(0))";
            return Step::Fault;
        }
        yv = p.t / u;
        break;
    }
    case DiagramCode::Arrhenius:
    case DiagramCode::Eyring:
        // A point without a temperature or without a rate constant is not a k-T point.
        if (!(p.T > 0) || !(p.k > 0)) return Step::Skip;
        xv = 1.0 / p.T;
        yv = code == DiagramCode::Arrhenius ? std::log(p.k) : std::log(p.k / p.T);
        break;
    default:
        return Step::Skip;
    }

    if (!ToSingle(xv, x) || !ToSingle(yv, y)) {
        why = "Overflow: the plotted value of " + PointName(i) + " exceeds the number range";
        return Step::Fault;
    }
    return Step::Take;
}

// The active points determine a straight line when at least two of them have
// different x.
bool DeterminesLine(const std::vector<EvalPoint>& pts)
{
    bool first = true;
    float x0 = 0;
    for (const EvalPoint& p : pts) {
        if (p.excluded) continue;
        if (first) {
            x0 = p.x;
            first = false;
        } else if (p.x != x0) {
            return true;
        }
    }
    return false;
}

// Division whose zero denominator is a fault with the given cause.
double Divide(double num, double den, const std::string& cause)
{
    if (den == 0) throw KinError("Division by zero: " + cause);
    const double q = num / den;
    if (!std::isfinite(q)) throw KinError("Overflow: " + cause);
    return q;
}

// CSng: the value as single precision; beyond its range a fault.
float Single(double v, const std::string& what)
{
    float f = 0;
    if (!ToSingle(v, f)) throw KinError("Overflow: " + what + " exceeds the number range");
    return f;
}

} // namespace

bool IsEvaluationCode(int code)
{
    switch (code) {
    case DiagramCode::LambdaSecondOrder:
    case DiagramCode::LambdaFirstOrder:
    case DiagramCode::UnequalStartPlot:
    case DiagramCode::WilkinsonPlot:
    case DiagramCode::SecondOrderPlot:
    case DiagramCode::FirstOrderPlot:
    case DiagramCode::Eyring:
    case DiagramCode::Arrhenius:
        return true;
    default:
        return false;
    }
}

EvalSelection SelectEvaluationPoints(const Declare& d, int code, bool skipFaults)
{
    EvalSelection sel;
    if (!IsEvaluationCode(code)) return sel;
    const int n = std::min<int>(d.AnzahlPunkte, static_cast<int>(d.ExpPunkte.size()) - 1);
    for (int i = 1; i <= n; ++i) {
        float x = 0, y = 0;
        std::string why;
        const Step s = TransformPoint(d, code, i, x, y, why);
        if (s == Step::Skip) continue;
        if (s == Step::Fault) {
            if (skipFaults) continue;
            throw KinError(why);
        }
        const ExpPunkt& p = d.ExpPunkte[static_cast<std::size_t>(i)];
        sel.points.push_back({i, x, y, p.exclude != 0});
        if (code == DiagramCode::UnequalStartPlot && p.t == 0) {
            sel.cA0 = p.c[1];
            sel.cB0 = p.c[2];
            sel.startFound = true;
        }
    }
    return sel;
}

namespace {

// Fresh regression arrays: nothing of an earlier evaluation stays in them.
void LoadRegressionArrays(Declare& d, const EvalSelection& sel)
{
    const std::size_t m = sel.points.size();
    d.RegX.assign(m + 1, 0.0f);
    d.RegY.assign(m + 1, 0.0f);
    d.RegW.assign(m + 1, 0.0f);
    for (std::size_t j = 0; j < m; ++j) {
        d.RegX[j + 1] = sel.points[j].x;
        d.RegY[j + 1] = sel.points[j].y;
        d.RegW[j + 1] = sel.points[j].excluded ? 0.0f : 1.0f;
    }
}

// What the kinds of evaluation derive from the line a + b x.
struct LineResults {
    bool setK = false; // the kinds of first and second order yield the rate constant k1
    double k1 = 0;
    float n = 0; // reaction order and its rate constant
    double kW = 0;
    double expA = 0; // Arrhenius factor
};

// The rate constant of the codes that yield one.
void RateConstantFromLine(const Declare& d, int code, const EvalSelection& sel, double a, double b,
                          LineResults& r)
{
    const double c0 = d.c0Exp[1];
    switch (code) {
    case DiagramCode::LambdaSecondOrder:
        if (d.Lambda0 == 0)
            r.k1 = Divide(b, c0 * a, "c(A)(0) times the intercept of the line is 0");
        else
            r.k1 = b;
        if (d.ModellNr == 3) r.k1 = r.k1 / 2;
        r.setK = true;
        break;
    case DiagramCode::LambdaFirstOrder:
    case DiagramCode::FirstOrderPlot:
        r.k1 = -b;
        r.setK = true;
        break;
    case DiagramCode::SecondOrderPlot:
        r.k1 = d.GleicheStartkonz ? b : b / 2;
        r.setK = true;
        break;
    case DiagramCode::UnequalStartPlot:
        if (!sel.startFound)
            throw KinError("Division by zero: there is no point at t = 0 with c(A) and c(B) above 0, so "
                           "c(A)(0) - c(B)(0) is not known");
        r.k1 = Divide(b, sel.cA0 - sel.cB0, "c(A)(0) equals c(B)(0) at t = 0");
        r.setK = true;
        break;
    default:
        break;
    }
}

// The line sampled over the visible x range plus one step.
struct SampledLine {
    std::vector<KurvenPunkt> points;
    bool reaches = false; // some point lies inside the y range
    double xMin = 0;
    double dx = 0;
};

SampledLine SampleLine(const Declare& d, double a, double b)
{
    SampledLine s;
    s.xMin = d.Diagramm.xMin;
    s.dx = (d.Diagramm.xMax - s.xMin) / kLineSteps;
    if (!std::isfinite(s.dx)) throw KinError("Overflow: the x range of the diagram is not valid");
    s.points.resize(kLineSteps + 2);
    for (int i = 0; i <= kLineSteps + 1; ++i) {
        const double x = s.xMin + i * s.dx;
        const double y = a + b * x;
        KurvenPunkt& kp = s.points[static_cast<std::size_t>(i)];
        kp.x = Single(x, "a point of the regression line");
        kp.y = Single(y, "a point of the regression line");
        if (d.Diagramm.yMin < y && y < d.Diagramm.yMax) s.reaches = true;
    }
    return s;
}

// Results of the order and activation kinds derived from the line.
void OrderAndActivationFromLine(int code, double c0, double a, double b, LineResults& r, EvalOutcome& out)
{
    switch (code) {
    case DiagramCode::WilkinsonPlot: {
        r.n = Single(2 * b, "the order n");
        const double e = static_cast<double>(r.n) - 1.0;
        if (c0 < 0 && e != std::floor(e))
            throw KinError("Invalid power: c(A)(0) is negative and the exponent n - 1 is not whole");
        if (c0 == 0 && e < 0)
            throw KinError("Division by zero: c(A)(0) is 0 and the exponent n - 1 is negative");
        const double pw = std::pow(c0, e);
        if (!std::isfinite(pw)) throw KinError("Overflow: c(A)(0) to the power n - 1 exceeds the number range");
        r.kW = Divide(1.0, a * pw, "the intercept of the line times c(A)(0)^(n - 1) is 0");
        out.RegA = r.kW;
        break;
    }
    case DiagramCode::Arrhenius:
    case DiagramCode::Eyring:
        out.RegB = -b * kGasR / 1000.0;
        if (code == DiagramCode::Eyring) out.RegA = (a - std::log(kBoltzmann / kPlanck)) * kGasR;
        if (code == DiagramCode::Arrhenius) {
            r.expA = std::exp(a);
            if (!std::isfinite(r.expA)) throw KinError("Overflow: the Arrhenius factor A exceeds the number range");
        }
        break;
    default:
        break;
    }
}

// The result text of each kind.
std::string ResultText(const Declare& d, int code, double a, const LineResults& r, EvalOutcome& out, char dec)
{
    std::string text;
    switch (code) {
    case DiagramCode::LambdaSecondOrder:
    case DiagramCode::SecondOrderPlot:
    case DiagramCode::UnequalStartPlot:
        text = "Result: {k} = " + GenSingle(Single(r.k1, "the rate constant"), dec);
        break;
    case DiagramCode::LambdaFirstOrder:
    case DiagramCode::FirstOrderPlot:
        if (d.LambdaAuswertung && d.Lambda0 == 0) {
            const double ea = std::exp(a);
            if (!std::isfinite(ea)) throw KinError("Overflow: the extrapolated lambda(0) exceeds the number range");
            out.fehlerText = ", lambda(0), extrapol. = " +
                             StrSingle(Single(d.LambdaUnendlich - ea, "the extrapolated lambda(0)"));
        }
        text = "Result: {k} = " + GenSingle(Single(r.k1, "the rate constant"), dec) + out.fehlerText;
        break;
    case DiagramCode::WilkinsonPlot:
        text = "Result: n = " + FormatPatternSingle(r.n, ".0", dec) + ";  k = " +
               GenSingle(Single(r.kW, "the rate constant"), dec);
        break;
    case DiagramCode::Arrhenius:
        text = "Result: EA/ (kJ/mol) = " + FormatPattern(out.RegB, "####0.00", dec) + ";  A = " +
               GenSingle(Single(r.expA, "the Arrhenius factor A"), dec);
        break;
    case DiagramCode::Eyring:
        text = "Result: h#/(kJ/mol) = " + FormatPattern(out.RegB, "####0.00", dec) +
               ";  s#/(J/mol*K) = " + FormatPattern(out.RegA, "####0.0", dec) +
               "NOTE: s# is correct only if unit [t] = s for k ";
        break;
    default:
        break;
    }
    return text;
}

// Everything succeeded: the results go into the shared state.
void CommitLine(Declare& d, const LineResults& r, const SampledLine& s, bool& outside)
{
    if (r.setK) {
        d.k[1] = r.k1;
        // The model the evaluation menu set up: codes -6 and -11 serve 2A => P
        // and A + B => P alike.
        RememberEvaluatedRateConstant(d, d.ModellNr, r.k1);
    }
    const std::vector<KurvenPunkt>& line = s.points;
    if (d.KurvenPunkte.size() < line.size() + 1) d.KurvenPunkte.resize(kKurvenPunkteMax + 1);
    d.KurvenPunkte[0].x = static_cast<float>(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) d.KurvenPunkte[i + 1] = line[i];
    // The basis values of the last sampled point (1 and x).
    if (d.RegBasis.size() < 6) d.RegBasis.resize(6, 0.0);
    d.RegBasis[1] = 1.0;
    d.RegBasis[2] = s.xMin + (kLineSteps + 1) * s.dx;
    if (s.reaches) outside = false;
}

// The body of PrepareEvaluationCurve; faults throw KinError. The shared state
// other than the regression arrays is written only when everything succeeded.
EvalOutcome Evaluate(Declare& d, int code, bool& outside, char dec)
{
    EvalOutcome out;
    const EvalSelection sel = SelectEvaluationPoints(d, code);
    LoadRegressionArrays(d, sel);

    auto noLine = [&]() {
        out.kind = EvalOutcome::Kind::NoLine;
        out.statusText = kNoEvaluationText;
        out.showPoints = true;
        if (d.KurvenPunkte.empty()) d.KurvenPunkte.resize(kKurvenPunkteMax + 1);
        d.KurvenPunkte[0].x = 0;
        outside = false;
        return out;
    };

    if (!DeterminesLine(sel.points)) return noLine();

    // Straight line (basis 1 and x) through the weighted points.
    Array2<double> C(4, 4);
    float sErr = 0, relDev = 0, r2 = 0;
    bool singular = false;
    CalcRegression(d.RegX, d.RegY, d.RegW, 2, 2, 0, C, sErr, relDev, r2, singular);
    if (singular) return noLine();
    const double a = C(1, 3);
    const double b = C(2, 3);
    if (!std::isfinite(a) || !std::isfinite(b))
        throw KinError("Overflow: the regression line exceeds the number range");
    out.RegR2 = r2;

    LineResults r;
    RateConstantFromLine(d, code, sel, a, b, r);
    const SampledLine line = SampleLine(d, a, b);
    out.RegA = a;
    out.RegB = b;
    OrderAndActivationFromLine(code, d.c0Exp[1], a, b, r, out);
    std::string text = ResultText(d, code, a, r, out, dec);
    if (out.RegR2 > 0) text += "   (R^2 = " + FormatPatternSingle(out.RegR2, "0.00000", dec) + ")";

    CommitLine(d, r, line, outside);
    out.kind = EvalOutcome::Kind::Line;
    out.statusText = text;
    out.showPoints = true;
    return out;
}

} // namespace

EvalOutcome PrepareEvaluationCurve(Declare& d, int code, bool& outside, char dec)
{
    try {
        return Evaluate(d, code, outside, dec);
    } catch (const KinError& e) {
        EvalOutcome fail;
        fail.kind = EvalOutcome::Kind::Failed;
        fail.fehlerText = e.description();
        return fail;
    }
}

} // namespace kinhom
