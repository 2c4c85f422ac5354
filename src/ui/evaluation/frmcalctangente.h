#pragma once
// frmCalcTangente ("Calculating Rate of Reaction "): the rate of reaction
// dc/dt of one species at a chosen time, read off the spline through its
// measured c-t points (the tangent method). The tangent items of the main
// window open it with DiagrammTyp 100 and Glaettung 0 before the chart window
// draws the spline:
//
//   app().show<frmCalcTangente>();   // reads TangenteSpalte and Zeiteinheit
//
// The user picks a time (typed, or with the slider over the measured times);
// the window shows c(t) and dc/dt and draws the tangent at t on the chart as a
// curve of its own, replaced on every change. The smoothing slider sets
// Glaettung and redraws the spline.

#include <vector>

#include "core/shell/declare.h"
#include "ui/shell/kinform.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace kinhom {

class frmCalcTangente : public KinWidget {
    Q_OBJECT
public:
    explicit frmCalcTangente(QWidget* parent = nullptr);

    void Form_Load() override;
    int HelpContextID() const override { return 10320; }

    // The smoothing slider: Glaettung := value / 200; with the chart window
    // loaded the spline is drawn again (one curve, all curves deleted first),
    // then the tangent is computed again.
    void scrGlaettung_Change();
    // The time slider: the time it names into the box, then the tangent.
    void scrZeit_Change();
    // Calculate: the tangent at the time in the box.
    void cmdBerechnen_Click();
    void cmdClose_Click();

    // The tangent at t: shows c(t) and dc/dt and draws the tangent line; a
    // refusal (too few points, times not rising, t outside the measured times)
    // is shown in a box and clears the results. Returns whether it succeeded.
    bool BerechneTangente(double t);

    QLabel* lblSpezies = nullptr;
    QLabel* lblGlaettung = nullptr;
    QSlider* scrGlaettung = nullptr;
    QLabel* lblGlaettungWert = nullptr;
    QLabel* lblZeit = nullptr;
    QLineEdit* txtZeit = nullptr;
    QLabel* lblZeitUnit = nullptr;
    QSlider* scrZeit = nullptr;
    QLabel* lblBereich = nullptr;      // the measured time range
    QLabel* lblC = nullptr;
    QLabel* lblCWert = nullptr;
    QLabel* lblRate = nullptr;
    QLabel* lblRateWert = nullptr;
    QPushButton* cmdBerechnen = nullptr;
    QPushButton* cmdClose = nullptr;

    // The curve slot of the tangent line on the chart (0 = none drawn).
    int tangentSlot() const { return tangentSlot_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void clearResults();
    void drawTangent(const std::vector<KurvenPunkt>& line);
    void removeTangent();
    int tangentSlot_ = 0;
    std::vector<KurvenPunkt> tangentLine_;
    bool settingTime_ = false;
};

} // namespace kinhom
