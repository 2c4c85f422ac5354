#pragma once
// The rules that the input windows (simulation set-up, fitting, the reactor
// windows) share: which species and rate constants a model uses, how the
// model window relabels an input window for the current model, and the input
// checks of the simulation set-up with their fault lines.

#include <array>
#include <string>
#include <vector>

#include "core/shell/declare.h"

namespace kinhom {

// ---- species and rate constants in use ---------------------------------------------

// True when species slot (1 to 5: A, B, C, P, Q) is in use by the current
// model: character slot of Stoffmuster is "1".
bool SpeciesInUse(const Declare& d, int slot);

// True when rate constant j (1 to 3) is in use: character j of kMuster is "1".
bool RateConstantInUse(const Declare& d, int j);

// The species name of a slot (1 to 5): "E", "S", "ES", "P", "Q" for the
// enzyme model 10, "A", "B", "C", "P", "Q" otherwise; "" outside 1 to 5.
const char* SpeciesName(int model, int slot);

// ---- relabelling of an input window ------------------------------------------------------

// What the model window shows on an input window for the current model.
struct InputWindowLabels {
    bool michaelis = false;                 // lblMichaelisK, fraMichaelis (set-up window)
    std::array<bool, 6> species{};          // slots 1 to 5 in use (index 0 unused)
    std::array<std::string, 6> speciesName; // labels of slots 1 to 5 (index 0 unused)
    bool k2 = false, k3 = false;            // the boxes of k2 and k3 with caption and unit
    std::array<std::string, 3> kCaption;    // captions of the boxes of k1 to k3
    std::string ksiTip;                     // tooltip of the extent-of-reaction controls
    std::string modelLine;                  // "kinet. model:  ..." (model 20 with its order)
};

// The labels, visibility and captions of an input window for d.ModellNr and
// d.Arbeitsmodus.
InputWindowLabels LabelsForModel(const Declare& d);

// The current model's name, for model 20 followed by " (n = 1.50)".
std::string ModelNameWithOrder(const Declare& d);

// The model line of an input window: "kinet. model:  " and ModelNameWithOrder.
std::string ModelLine(const Declare& d);

// The catalyst seed of the autocatalysis models 5 and 16: c0(P) := 0.002 when
// the window's box of C reads 0 (cBoxZero); any other model takes that seed
// back (c0(P) = 0.002 becomes 0).
void ApplyCatalystSeed(Declare& d, bool cBoxZero);

// The numbers shown in the boxes of k1 to k3: k1..k3, or the Arrhenius
// factor and activation energy in the non-isothermal fits (task mode 6 and
// above), or the order n in the second box of the order fit (task mode 2).
std::array<double, 3> RateConstantBoxValues(const Declare& d);

// Keeps k1..k3 as the rate constants of the current model (FileRateConstants),
// as an input window does with the constants it has used: the model window's
// reopenings put them back until the user picks a model.
void KeepRateConstants(Declare& d);

// ---- input checks of the simulation set-up ----------------------------------------------------

// Which boxes the window shows and which button asks.
struct SetupCheck {
    bool forTable = false;    // Table (k2 > 0 always) rather than Draw
    bool bShown = true;       // the box of c(B)(0) is visible
    bool cShown = false;      // the boxes of c(C)(0), c(P)(0) and c(Q)(0)
    bool pShown = false;
    bool qShown = false;
    bool k2Shown = true;      // the boxes of k2 and k3 are visible
    bool k3Shown = true;
};

// The fault lines of the set-up's inputs as they stand in d (c0, k, tEnde,
// and S0max in the Michaelis-Menten mode), in the order in which the checks
// run; empty when the inputs can be simulated. A value beyond the range of a
// single-precision number is refused with the other faults.
std::vector<std::string> SetupInputFaults(const Declare& d, const SetupCheck& check);

// The fault lines as one text, each line followed by newline.
std::string JoinFaultLines(const std::vector<std::string>& lines, const std::string& newline);

} // namespace kinhom
