#pragma once
// "Options" of the Monte-Carlo simulation: the delay per step, the particle
// size, the colours of the A and P particles and solid particles. Shown modally
// from Options > Options; "OK" keeps the values in the shared state, "Cancel"
// (or Esc) leaves them as they were.

#include "core/shell/rgb.h"
#include "ui/shell/kinform.h"

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace kinhom {

class frmOption : public KinDialog {
    Q_OBJECT
public:
    explicit frmOption(QWidget* parent = nullptr);

    void Form_Load() override;
    void cmdFarbeA_Click();
    void cmdFarbeP_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void reject() override;

    QDoubleSpinBox* txtVerzoegerung = nullptr;
    QSpinBox* txtPunktgroesse = nullptr;
    QPushButton* cmdFarbeA = nullptr;
    QPushButton* cmdFarbeP = nullptr;
    QLabel* shpFarbeA = nullptr;
    QLabel* shpFarbeP = nullptr;
    QCheckBox* chkPunkteSolid = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    // The colours chosen so far (kept in the shared state on OK).
    Rgb farbeA;
    Rgb farbeP;

private:
    void showColours();
    double shownDelay_ = 0;
};

} // namespace kinhom
