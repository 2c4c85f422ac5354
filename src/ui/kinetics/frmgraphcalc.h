#pragma once
// frmGraphCalc ("Single-Point Calculator"): the concentrations of the current
// model's species at one time t between 0 and t(max). The chart window's
// single-point button shows it modeless and gives it the focus:
//
//   frmGraphCalc& calc = app().show<frmGraphCalc>();
//   calc.txtX->setFocus();
//
// Closed-form models are evaluated at t directly; the numerically integrated
// models read the spline tables of the last simulation run.

#include <array>

#include "ui/shell/kinform.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kinhom {

class frmGraphCalc : public KinWidget {
    Q_OBJECT
public:
    explicit frmGraphCalc(QWidget* parent = nullptr);

    void Form_Load() override;
    // Calculate: a time outside 0 to t(max), or a time at which no value can be
    // computed, gives a beep and leaves the results as they were.
    void cmdGraphCalcExec_Click();
    void cmdCloseGraphCalc_Click();
    // The key filter of the time box; Enter runs Calculate. KeyAscii 0 = dropped.
    void txtX_KeyPress(int& KeyAscii);

    QLabel* lblXEingabe = nullptr;
    QLabel* lblXNote = nullptr;
    QLineEdit* txtX = nullptr;
    QLabel* lblZeit = nullptr;
    QPushButton* cmdGraphCalcExec = nullptr;
    std::array<QLabel*, 5> lblRes{};
    std::array<QLabel*, 5> lblResult{};
    QPushButton* cmdCloseGraphCalc = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace kinhom
