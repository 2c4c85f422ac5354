#include "ui/reactors/frmrohrreaktor.h"

#include "ui/shell/formnames.h"

namespace kinhom {

frmRohrreaktor::frmRohrreaktor(QWidget* parent) : ReaktorFenster(Art::Rohr, parent)
{
    setObjectName(names::frmRohrreaktor);
    setWindowTitle("Tubular Flow Reactor (TFR)");
}

} // namespace kinhom
