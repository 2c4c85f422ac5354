#pragma once
// The catalogue of the nineteen reaction models (1 to 18 and 20): rate
// equations, stoichiometric matrices, default constants and flags.

#include <array>
#include <cstdint>

#include "core/shell/array2.h"
#include "core/shell/declare.h"

namespace kinhom {

// True for the model numbers of the catalogue (1 to 18 and 20).
bool IsKatalogModell(int model);

// Number of species slots a model uses (2, 3 or 4); 0 outside the catalogue.
int ModellSpeziesAnzahl(int model);

// Rates of change of the species slots 1 to 5 for the rate constants k (1 to 3)
// and the concentrations c (1 to 5). dc[1..5] are written, dc[0] is untouched.
// Allocates nothing. ordnung is the order n of model 20.
void CalcRates(int model, double* dc, const double* k, const double* c, float ordnung);
inline void CalcRates(int model, std::vector<double>& dc, const std::vector<double>& k,
                      const std::vector<double>& c, float ordnung)
{
    CalcRates(model, dc.data(), k.data(), c.data(), ordnung);
}

// Fills Stoechiometrie for the model: every entry of species 1 to 5 and
// reactions 1 to 3 cleared, then the model's coefficients. n is the order of
// model 20 (its A coefficient is -n).
void SetStoechiometrie(Array2<float>& stoechiometrie, int model, float n);

// What picking a model sets: the flags and the rate constants and start
// concentrations that belong to it.
struct ModelDefaults {
    bool EinzelReaktion = false;
    bool NumerischesModell = false;
    double k[4] = {0, 0.15, 0.2, 0}; // after the model's own row
    // start concentrations that replace a value only when it is exactly 0;
    // 0 here means "no rule for this slot"
    double c0WennNull[6] = {0, 1.0, 0, 0, 0, 0};
};

// The defaults of a catalogue model; arbeitsmodus 2 (fitting of k and order)
// sets k2 = ordnung for model 20.
ModelDefaults GetModelDefaults(int model, std::uint8_t arbeitsmodus, float ordnung);

// Applies the defaults to the shared state: k1..k3 reset, c0 filled where 0,
// NumerischesModell and EinzelReaktion set. (The seed of c0(P) of the two
// autocatalysis models, which depends on an open input window, is the model
// window's.)
void ApplyModelDefaults(Declare& d, int model);

} // namespace kinhom
