#pragma once
// frmRKconti: the continuous stirred tank. From V and V* it gives the outlet
// (steady) state at tau = V/V*; from a target conversion and V* the volume,
// from a target conversion and V the volume flow. Its picture's stirrer turns
// on the timer Timer1 while the window is shown; unloading stops it.

#include "ui/reactors/reaktorfenster.h"

class QTimer;

namespace kinhom {

class frmRKconti : public ReaktorFenster {
    Q_OBJECT
public:
    explicit frmRKconti(QWidget* parent = nullptr);

    void Form_Unload(int& Cancel) override;
    void Timer1_Timer();

    QTimer* Timer1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    // The time box shows tau, a result: a new model leaves it alone.
    void ShowModelTime(const Declare&) override {}
    void hideEvent(QHideEvent* event) override;
};

} // namespace kinhom
