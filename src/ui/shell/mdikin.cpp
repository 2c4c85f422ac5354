#include "ui/shell/mdikin.h"

#include <QMdiArea>

namespace kinhom {

MDIKIN::MDIKIN(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("MDIKIN");
    setWindowTitle("KINHOM-3     Kinetics of Homogeneous Chemical Reactions");
    mdiArea_ = new QMdiArea(this);
    setCentralWidget(mdiArea_);
    resize(1200, 850);
}

} // namespace kinhom
