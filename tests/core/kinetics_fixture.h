#pragma once
// A state prepared for one reaction model: start values, the model's default
// constants and start concentrations, every species switched on, and the end
// of the run.

#include <cstdint>

#include "core/kinetics/models.h"
#include "core/shell/declare.h"
#include "core/shell/startup.h"

namespace kinhom::test {

inline Declare Modell(int model, float tEnde = 100)
{
    Declare d;
    SetStartupValues(d, "/tmp", ".");
    d.ModellNr = static_cast<std::int16_t>(model);
    ApplyModelDefaults(d, model);
    d.Stoffmuster = "11111";
    d.tEnde = tEnde;
    return d;
}

} // namespace kinhom::test
