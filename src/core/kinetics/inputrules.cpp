#include "core/kinetics/inputrules.h"

#include <cmath>
#include <cstddef>

#include "core/shell/numtext.h"

namespace kinhom {

namespace {

bool PatternSet(const std::string& pattern, int i)
{
    return i >= 1 && std::size_t(i) <= pattern.size() && pattern[std::size_t(i - 1)] == '1';
}

// A value that no simulation can start from: zero, negative or not a number.
bool NotPositive(double v) { return !(v > 0); }

// A value that a box cannot hold: beyond the range of a single-precision number.
bool OutOfRange(double v) { return !std::isnan(v) && !FitsSingle(v); }

} // namespace

// ---- species and rate constants in use ---------------------------------------------

bool SpeciesInUse(const Declare& d, int slot) { return PatternSet(d.Stoffmuster, slot); }

bool RateConstantInUse(const Declare& d, int j) { return PatternSet(d.kMuster, j); }

const char* SpeciesName(int model, int slot)
{
    static const char* const species[] = {"", "A", "B", "C", "P", "Q"};
    static const char* const enzyme[] = {"", "E", "S", "ES", "P", "Q"};
    if (slot < 1 || slot > 5)
        return "";
    return model == 10 ? enzyme[slot] : species[slot];
}

// ---- relabelling -------------------------------------------------------------------------

std::string ModelNameWithOrder(const Declare& d)
{
    const int model = d.ModellNr;
    std::string name = model >= 0 && std::size_t(model) < d.ModellNamen.size() ? d.ModellNamen[std::size_t(model)]
                                                                               : std::string();
    if (model == 20)
        name += " (n = " + FormatPatternSingle(d.Ordnung, "0.00") + ")";
    return name;
}

std::string ModelLine(const Declare& d) { return "kinet. model:  " + ModelNameWithOrder(d); }

InputWindowLabels LabelsForModel(const Declare& d)
{
    InputWindowLabels l;
    const int model = d.ModellNr;
    l.michaelis = model == 10;
    for (int i = 1; i <= 5; ++i) {
        l.species[std::size_t(i)] = SpeciesInUse(d, i);
        // The enzyme model renames E, S and ES; P and Q keep their labels.
        if (model != 10 || i <= 3)
            l.speciesName[std::size_t(i)] = SpeciesName(model, i);
    }
    l.k2 = RateConstantInUse(d, 2);
    l.k3 = RateConstantInUse(d, 3);

    // Forward and backward constants of the equilibria are "k>" and "k<"; an
    // empty caption of k3 leaves the window's own.
    l.kCaption[0] = TaskMode::IsNonIsothermal(d.Arbeitsmodus) ? "Arrhenius-A" : "k1";
    l.kCaption[1] = d.Arbeitsmodus == TaskMode::FitKAndOrder       ? "n"
                    : TaskMode::IsNonIsothermal(d.Arbeitsmodus) ? "EA"
                                                                : "k2";
    switch (model) {
    case 8:
    case 12: l.kCaption = {"k>", "k<", ""}; break;
    case 10:
    case 15:
    case 18: l.kCaption = {"k>", "k<", "k3"}; break;
    case 13:
    case 14: l.kCaption = {"k1", "k>", "k<"}; break;
    default: break;
    }

    l.ksiTip = d.EinzelReaktion ? std::string() : std::string("... both this direction => ");
    l.modelLine = ModelLine(d);
    return l;
}

void ApplyCatalystSeed(Declare& d, bool cBoxZero)
{
    if (d.ModellNr == 5 || d.ModellNr == 16) {
        if (cBoxZero)
            d.c0[4] = 0.002;
    } else if (d.c0[4] == 0.002) {
        d.c0[4] = 0;
    }
}

std::array<double, 3> RateConstantBoxValues(const Declare& d)
{
    const double first = TaskMode::IsNonIsothermal(d.Arbeitsmodus) ? d.ArrheniusA : d.k[1];
    const double second = d.Arbeitsmodus == TaskMode::FitKAndOrder       ? double(d.Ordnung)
                          : TaskMode::IsNonIsothermal(d.Arbeitsmodus) ? d.ArrheniusEA
                                                                      : d.k[2];
    return {first, second, d.k[3]};
}

void KeepRateConstants(Declare& d)
{
    d.FileRateConstantsModel = d.ModellNr;
    d.FileRateConstants = d.k;
}

// ---- input checks -------------------------------------------------------------------------

std::vector<std::string> SetupInputFaults(const Declare& d, const SetupCheck& check)
{
    std::vector<std::string> faults;
    const int model = d.ModellNr;
    auto concentration = [&](int slot) { return std::string("c(") + SpeciesName(model, slot) + ")(0)"; };

    if (NotPositive(d.c0[1]))
        faults.push_back("- not yet given an initial concentration c(A)(0)");
    if (check.bShown && NotPositive(d.c0[2]))
        faults.push_back(model == 10 ? "- not yet given an initial concentration c(S)(0)"
                                     : "- not yet given an initial concentration c(B)(0)");
    if ((model == 5 || model == 16) && NotPositive(d.c0[4]))
        faults.push_back(check.forTable ? "- for autocatalysis a (very small) initial value of c(P)(0) must be "
                                          "given, otherwise the reaction can not start"
                                        : "- for autocatalysis a (very small) initial concentation c(P)(0) has to "
                                          "be given");
    // Start concentrations that no box and no table can hold.
    const bool shown[6] = {false, true, check.bShown, check.cShown, check.pShown, check.qShown};
    for (int i = 1; i <= 5; ++i)
        if (shown[i] && OutOfRange(d.c0[std::size_t(i)]))
            faults.push_back("- the initial concentration " + concentration(i) + " is too large");
    // n = 0 passes.
    if (d.DiagrammTyp == 20 && (d.Ordnung < 0 || !std::isfinite(d.Ordnung)))
        faults.push_back("- allowed only n > 0");
    if (NotPositive(d.tEnde) || !std::isfinite(d.tEnde))
        faults.push_back("- specification of time not in order");
    // In the simulation Draw accepts k2 = 0 (the second step then stands still).
    const bool k2Tested = check.k2Shown && (check.forTable || d.Arbeitsmodus == TaskMode::FitK);
    const bool tested[4] = {false, true, k2Tested, check.k3Shown};
    const bool shownK[4] = {false, true, check.k2Shown, check.k3Shown};
    for (int j = 1; j <= 3; ++j) {
        const std::string name = "k" + std::to_string(j);
        if (tested[j] && NotPositive(d.k[std::size_t(j)]))
            faults.push_back("- the rate constant has to be " + name + " > 0");
        else if (shownK[j] && OutOfRange(d.k[std::size_t(j)]))
            faults.push_back("- the rate constant " + name + " is too large");
    }
    // The Michaelis-Menten chart over S(0) runs from 0 to S(0),max.
    if (model == 10 && d.MMDiagramm && !d.MMNormiert && (NotPositive(d.S0max) || !std::isfinite(d.S0max)))
        faults.push_back("- S(0),max has to be > 0 and within the range of numbers");
    return faults;
}

std::string JoinFaultLines(const std::vector<std::string>& lines, const std::string& newline)
{
    std::string text;
    for (const std::string& l : lines)
        text += l + newline;
    return text;
}

} // namespace kinhom
