#pragma once
// frmFitting (" k-Fitting manual / automatic"): fitting of rate parameters to
// the measured points. The fitting menus open it in task mode 1 (the rate
// constants of the chosen model), 2 (k and the order n of model 20) or 6 and 7
// (ARRHENIUS A and EA over the temperatures of t-c(A)-T data).
//
// Each parameter has a value box (the shared boxes Inp(10..12)), a slider
// (logarithmic for positive parameters, two decades either side of the value it
// was last centred on) and a "fixed" tick. Moving a slider or typing a value
// redraws the curves over the points and shows the sum of squares (manual
// fitting); "automatic fit" runs the Levenberg-Marquardt fit of
// core/evaluation/fitting.h, shows its result block and, when it succeeded,
// takes the values over and draws the fitted curves. Every redraw first
// deletes the curves of the previous one. A fit that fails changes nothing.
//
// The automatic fit and the sum of squares of manual fitting run off the
// user-interface thread on a copy of the shared state (BackgroundJob): the fit
// shows its iteration and SSQ as it goes, Stop and Esc end either at once, and
// a result is applied only when its run completed and the inputs and measured
// points are still the ones it started from. While the fit runs the inputs and
// the fit and draw buttons are disabled; a newer sum of squares supersedes an
// older one. Closing the window or quitting stops and joins the computation.
//
// A chosen model is shown through ShowModel (the last window in the model
// window's search order): the shared controls of ModellInputForm, and the
// ticks chkConcFQS(1..5), the species taken into the sum of squares.

#include <array>
#include <vector>

#include <QString>

#include "core/evaluation/fitting.h"
#include "ui/shell/backgroundjob.h"
#include "ui/shell/modellinputform.h"

class QCheckBox;
class QFont;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSlider;

namespace kinhom {

class frmGraph2D;

class frmFitting : public ModellInputForm {
    Q_OBJECT
public:
    explicit frmFitting(QWidget* parent = nullptr);

    void Form_Load() override;
    void Form_Activate() override;
    // Stops a running computation and waits for its thread.
    void Form_Unload(int& Cancel) override;
    // The fitting menus, once the model window has written the boxes: the
    // start values the measured data give (TakeFitStartValuesFromData).
    void TakeStartValuesFromData();

    // Checks the inputs (faults in one box titled "Execution not possible"),
    // simulates with the window's values and draws over the measured points.
    void cmdDrawNewCurve_Click();
    // The automatic fit, started off the user-interface thread.
    void cmdFit_Click();
    // Stops the running fit or sum of squares; nothing changes.
    void cmdStop_Click();
    // A fit or a sum of squares is running.
    bool Computing() const { return job_.running(); }
    bool FitRunning() const { return job_.running() && fitRunning_; }
    void cmdHelp_Click();
    int HelpContextID() const override;
    void cmdClose_Click();
    // A slider moved: its value into the box, then the curves.
    void scrParameter_Change(int Index);
    // A parameter box got a new value (typed, fitted, or written by the model
    // window): its slider is centred on it.
    void Inp_Change(int Index);
    // A value typed into a box: the curves and the sum of squares follow.
    void Inp_Edited(int Index);

    // Reads the boxes into a fit problem and collects the input faults, one
    // line each followed by CR LF.
    QString ReadAndCheckInputs(FitProblem& problem) const;
    // The model's inputs (ModellInputForm), and the species in use offered
    // for the sum of squares: ticked where measured data exist.
    void ShowModel(Declare& d) override;
    // The order (order fit) and the activation energy (non-isothermal fits).
    bool OwnUnitParameter(int j) const override;

    // The curve slots of the chart that the last redraw filled.
    const std::vector<int>& drawnSlots() const { return drawnSlots_; }

    // ---- controls beyond the shared ones (objectName = control name) -----------
    QGroupBox* fraKonz = nullptr;
    std::array<QCheckBox*, 6> chkConcFQS{};   // 1..5: the species in the sum of squares
    QGroupBox* fraParameter = nullptr;
    std::array<QSlider*, 4> scrParameter{};   // 1..3
    std::array<QCheckBox*, 4> chkFixed{};     // 1..3
    QLabel* lblTmax = nullptr;
    QLabel* lblZeitEinheit = nullptr;
    QLabel* lblVPunktInput = nullptr;
    QLabel* lblSSQ = nullptr;
    QPlainTextEdit* txtErgebnis = nullptr;
    QPushButton* cmdFit = nullptr;
    QPushButton* cmdStop = nullptr;
    QPushButton* cmdDrawNewCurve = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdClose = nullptr;

    // unit1 in the order fit: the unit of k for the order n.
    bool SetNamedCaption(const QString& name, const QString& text) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Building steps of the window.
    QLineEdit* InputBox(int index);
    void BuildConcentrationPanel(const QFont& bold);
    void BuildParameterPanel();
    QGridLayout* BuildCommands();
    void ArrangePanels(QGridLayout* commands);
    void SetTabChain();
    // Simulates with the problem's values and draws the curves (one per
    // temperature in modes 6 and 7), after deleting the previous redraw's.
    // False when the simulation failed (quiet: nothing is shown).
    bool DrawCurves(const FitProblem& problem, bool quiet);
    // Manual fitting: a quiet redraw when the inputs are sound.
    void Redraw();
    // The sum of squares of the problem's values, computed off the thread.
    void StartSumOfSquares(const FitProblem& problem);
    void ShowSSQ(bool ok, double ssq, int points, const std::string& error);
    void ShowFitProgress(int iteration, double ssq);
    void FitFinished(const FitResult& r, const FitProblem& problem, const Declare& data);
    // True when the window's inputs and the measured points are still those
    // that `problem` and `data` were taken from.
    bool InputsUnchanged(const FitProblem& problem, const Declare& data) const;
    // Enables the inputs and buttons for the running state.
    void UpdateRunningState();
    void CentreSlider(int slot, double value);
    double SliderValue(int slot) const;
    bool LogSlider(int slot) const;
    void SyncParameterRow(int slot);
    std::array<std::string, 4> Units() const;

    std::array<double, 4> sliderCentre_{};
    std::vector<int> drawnSlots_;
    const frmGraph2D* drawnOn_ = nullptr;
    bool settingSlider_ = false;
    bool fromSlider_ = false;
    bool fitRunning_ = false;
    // The SSQ line shown when the fit started, put back when it stops or fails.
    QString ssqBeforeFit_;
    // Last member: it is destroyed (and its thread joined) first.
    BackgroundJob job_{this};
};

} // namespace kinhom
