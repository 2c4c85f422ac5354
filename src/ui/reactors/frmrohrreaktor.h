#pragma once
// frmRohrreaktor: the tubular flow reactor (plug flow). From V and V* it gives
// the outlet state at the residence time tau = V/V*; from a target conversion
// and V* the volume, from a target conversion and V the volume flow; with a
// cross-section also the length of the tube.

#include "ui/reactors/reaktorfenster.h"

namespace kinhom {

class frmRohrreaktor : public ReaktorFenster {
    Q_OBJECT
public:
    explicit frmRohrreaktor(QWidget* parent = nullptr);
};

} // namespace kinhom
