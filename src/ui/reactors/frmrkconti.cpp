#include "ui/reactors/frmrkconti.h"

#include <QTimer>

#include "ui/reactors/reaktorbild.h"
#include "ui/shell/formnames.h"
#include "ui/shell/guarded.h"

namespace kinhom {

frmRKconti::frmRKconti(QWidget* parent) : ReaktorFenster(Art::Kessel, parent)
{
    setObjectName(names::frmRKconti);
    setWindowTitle("Continuous Stirred Tank (CSTR)");
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(80);
    connect(Timer1, &QTimer::timeout, this, Guarded([this] { Timer1_Timer(); }));
}

void frmRKconti::Timer1_Timer() { picReaktor->turnStirrer(); }

void frmRKconti::Form_Unload(int& Cancel)
{
    Timer1->stop();
    ReaktorFenster::Form_Unload(Cancel);
}

void frmRKconti::showEvent(QShowEvent* event)
{
    ReaktorFenster::showEvent(event);
    Timer1->start();
}

void frmRKconti::hideEvent(QHideEvent* event)
{
    Timer1->stop();
    ReaktorFenster::hideEvent(event);
}

} // namespace kinhom
