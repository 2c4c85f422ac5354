#pragma once
// frmBatch: the batch reactor. From the reaction time it gives the final
// concentrations, the conversion and the extents; from a target conversion
// the reaction time needed.

#include "ui/reactors/reaktorfenster.h"

namespace kinhom {

class frmBatch : public ReaktorFenster {
    Q_OBJECT
public:
    explicit frmBatch(QWidget* parent = nullptr);
};

} // namespace kinhom
