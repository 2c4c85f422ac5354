#include "core/shell/evaluationmenus.h"

#include <algorithm>
#include <initializer_list>

#include "core/evaluation/tangent.h"
#include "core/kinetics/simulation.h"
#include "core/shell/expdata.h"

namespace kinhom {

const char* const kExecutionNotPossible = "Execution not possible";

namespace {

std::string Lines(const Declare& d, std::initializer_list<const char*> lines)
{
    std::string text;
    bool first = true;
    for (const char* line : lines) {
        if (!first) text += d.CRLF;
        text += line;
        first = false;
    }
    return text;
}

std::string CtDataMessage(const Declare& d)
{
    return Lines(d, {"No or not enough experimental c-t data", "Input data (=> Data / New  exper. data)"});
}

// The start concentrations are single values; the threshold is one too.
bool Below(float c0) { return c0 < 1E-8f; }

} // namespace

// ---- c-t ------------------------------------------------------------------------------------

std::string CtEvaluationCheck(Declare& d, int index)
{
    d.Arbeitsmodus = TaskMode::Simulation;
    const int minimum = index == 4 ? 4 : 2;
    if (!d.ctDaten || d.AnzahlPunkte < minimum) return CtDataMessage(d);
    d.GleicheStartkonz = false;
    if (index == 3) {
        if (Below(d.c0Exp[1]) || Below(d.c0Exp[2]))
            return "Both initial concentrations c(A)(0) and c(B)(0) are needed.";
        d.GleicheStartkonz = d.c0Exp[1] == d.c0Exp[2];
    } else if (Below(d.c0Exp[1])) {
        return "No initial concentration c(A)(0) found";
    }
    return {};
}

void CtEvaluationSetup(Declare& d, int index)
{
    switch (index) {
    case 1:
        d.ModellNr = 2;
        d.DiagrammTyp = DiagramCode::FirstOrderPlot;
        break;
    case 2:
        d.ModellNr = 3;
        d.DiagrammTyp = DiagramCode::SecondOrderPlot;
        break;
    case 3:
        d.ModellNr = 4;
        d.DiagrammTyp = d.GleicheStartkonz ? DiagramCode::SecondOrderPlot : DiagramCode::UnequalStartPlot;
        break;
    default:
        d.DiagrammTyp = DiagramCode::WilkinsonPlot;
        break;
    }
    CalcExpDataRanges(d, d.DiagrammTyp, true);
}

// ---- lambda-t ---------------------------------------------------------------------------------

std::string LambdaEvaluationCheck(Declare& d, int index, MenuNote& note)
{
    note = {};
    d.Arbeitsmodus = TaskMode::Simulation;
    if (!d.LambdaDaten)
        return Lines(d, {"No or not enough experimental lambda data!", "Input data (=> Data / New  exper. data)"});
    if (index == 1) {
        if (d.AnzahlPunkte < 2)
            return Lines(d, {"No or not enough experimental lambda-t data", "Input data (=> Data / New  exper. data)"});
        d.ModellNr = 2;
        d.GleicheStartkonz = false;
        if (d.LambdaUnendlich < 1E-8) return "No value lambda(t = infin.) found";
        if (d.Lambda0 == 0)
            note = {Lines(d, {"It was no initial value lambda(0) (lambda at t = 0) found.",
                              "The evaluation is carried out now - not using this value",
                              "the expression ln (lamba(infin.) - lambda).",
                              "lambda(0) calculated by extrapolation will be given",
                              "The initial concentration c(A)(0) is not needed in this case."}),
                    "Evaluation of lambda-data, 1st order"};
        return {};
    }
    if (d.AnzahlPunkte < 2)
        return Lines(d, {"No or not enough experimental lambda-t data", "Do input data in the Data Editor"});
    if (index == 2) {
        if (d.c0Exp[1] == 0)
            return Lines(d, {"For a lambda evaluation according to 2nd order",
                             "an initial concentration for A has to be available", "",
                             "NOTE: The initial concentration can also be given as p(A)(0)/kPa, ",
                             "in this case the rate constant gets the unit [k] = 1/(kPa s)."});
        d.ModellNr = 3;
    } else {
        if (d.c0Exp[1] == 0 || d.c0Exp[2] == 0)
            return Lines(d, {"For a lambda evaluation the initial concentations",
                             "c(A)(0) and c(B)(0) have to be available in this case"});
        d.GleicheStartkonz = d.c0Exp[1] == d.c0Exp[2];
        if (!d.GleicheStartkonz) return "This time only the case c(A)(0) = c(B)(0) is supported.";
        d.ModellNr = 4;
    }
    if (d.LambdaUnendlich < 1E-8) return "value lambda(t = infin) not found";
    if (d.Lambda0 == 0)
        note = {Lines(d, {"initial value lambda(0) (lambda at t = 0) not found",
                          "The evaluation is carried out now - not using this value",
                          "the expression (lamba(inf)/(lambda(inf) - lambda)).", "", "But do note:",
                          "Also in that case the initial concentration  c(A)(0) is needed."}),
                "Evaluation of lambda-data, 2nd order"};
    return {};
}

void LambdaEvaluationSetup(Declare& d, int index)
{
    d.LambdaAuswertung = true;
    if (index == 1) {
        d.DiagrammTyp = DiagramCode::LambdaFirstOrder;
        CalcScaleLambda1(d);
    } else {
        d.DiagrammTyp = DiagramCode::LambdaSecondOrder;
        CalcScaleLambda2(d);
    }
}

// ---- k-T --------------------------------------------------------------------------------------

int DistinctKTCouples(const Declare& d)
{
    const int n = MeasuredPointCount(d);
    std::vector<ExpPunkt> copy(d.ExpPunkte.begin(), d.ExpPunkte.begin() + n + 1);
    int valid = 0;
    for (int i = 1; i <= n; ++i)
        if (copy[static_cast<std::size_t>(i)].k > 0 && copy[static_cast<std::size_t>(i)].T > 0) ++valid;
    int duplicates = 0;
    for (int i = 1; i <= n - 1; ++i) {
        const ExpPunkt& a = copy[static_cast<std::size_t>(i)];
        for (int j = i + 1; j <= n; ++j) {
            ExpPunkt& b = copy[static_cast<std::size_t>(j)];
            if (static_cast<float>(b.T) > 0 && b.k == a.k && b.T == a.T) {
                b.k = 0;
                b.T = 0;
                ++duplicates;
            }
        }
    }
    return valid - duplicates;
}

std::string KTEvaluationCheck(const Declare& d)
{
    if (!d.kTDaten) return "First load or input experimental points k - T!";
    std::string message;
    if (DistinctKTCouples(d) < 2) message = "at least two different couples of k-T values needed!";
    if (d.AnzahlPunkte == 0)
        message = Lines(d, {"No values for k and T available ", "Input data (=> Data / New  exper. data)"});
    return message;
}

void KTEvaluationSetup(Declare& d, int index)
{
    d.DiagrammTyp = index == 1 ? DiagramCode::Arrhenius : DiagramCode::Eyring;
    CalcExpDataRanges(d, d.DiagrammTyp, true);
}

// ---- tangent ----------------------------------------------------------------------------------

std::string TangentCheck(const Declare& d, int column)
{
    if (column < 1 || column > 5) return "No species is chosen.";
    const int n = MeasuredPointCount(d);
    for (int i = 1; i <= n; ++i)
        if (d.ExpPunkte[static_cast<std::size_t>(i)].c[column] > 0) return {};
    return "First load or input experimental points " + SpeciesConcText(column) + " - t!";
}

bool RedrawAfterRefusal(const Declare& d) { return MeasuredPointCount(d) > 0; }

// ---- new data ---------------------------------------------------------------------------------

void NewExpData(Declare& d)
{
    d.ExpPunkte.assign(2, ExpPunkt{});
    d.AnzahlPunkte = 0;
    d.LambdaUnendlich = 0;
    d.DateiName.clear();
    // The flags of the data that were dropped would let an evaluation go on
    // with an empty table.
    AnalyzeExpData(d);
    GetStartConcFromData(d);
}

} // namespace kinhom
