#pragma once
// The species and rate-constant patterns of a model or diagram code.

#include "core/shell/declare.h"

namespace kinhom {

// Sets kTDiagramm, Stoffmuster (five characters for A, B, C, P, Q: "1" in use,
// "0" not, "2" the species of the linearised concentration charts) and kMuster
// (three characters for k1, k2, k3) for a model number or diagram code. The task
// mode Arbeitsmodus selects the variants of the order fit (model 20 in mode 2)
// and of the non-isothermal fits (model 2 in mode 6, model 3 in mode 7).
void SetStoffMuster(Declare& d, int code);

} // namespace kinhom
