#include "ui/shell/frmphantom.h"

#include <QMdiSubWindow>

namespace kinhom {

frmPhantom::frmPhantom(QWidget* parent) : KinWidget(parent)
{
    setObjectName("frmPhantom");
    setWindowTitle("Main Window");
    setMinimumSize(0, 0);
}

void frmPhantom::Form_Load()
{
    // Width and height 0: the window takes no room in the main window. Without
    // a frame its sub-window has no minimum size either.
    if (QMdiSubWindow* sub = subWindow()) {
        sub->setWindowFlags(Qt::FramelessWindowHint);
        sub->setMinimumSize(0, 0);
        sub->setGeometry(0, 0, 0, 0);
    }
    resize(0, 0);
}

} // namespace kinhom
