#include "ui/reactors/frmbatch.h"

#include "ui/shell/formnames.h"

namespace kinhom {

frmBatch::frmBatch(QWidget* parent) : ReaktorFenster(Art::Batch, parent)
{
    setObjectName(names::frmBatch);
    setWindowTitle("Batch Reactor");
}

} // namespace kinhom
