#pragma once
// The common body of the three reactor windows (frmBatch, frmRohrreaktor,
// frmRKconti). Each has every shared control of ModellInputForm, which shows a
// chosen model (ShowModel), and the controls the unit captions reach:
//
//   Inp(0..4)   start (feed) concentrations    Inp(5..9)  final or outlet concentrations, locked
//   Inp(10..12) k1 to k3                        Inp(14)    reaction time t, or tau (a result)
//   lblStoff(0..9), Bz(5..7), unit1..unit3, Label7, lblZeitEinheit, lblVPunktInput,
//   cmdShowKsi with fraKsi, lblTextKsi_1, lblTextKsi_2
// (Inp(13), and lblVPunktInput of the batch reactor, exist hidden.)
//
// and its own: the input mode optInput(0..2) (BatchInpSelect, RohrInpSelect,
// ContiCalcSelect), the conversion txtUmsatz, volume txtV, volume flow
// txtVPunkt, the tube's cross-section txtQuerschnitt and length txtLaenge, the
// limit lblGrenze, the picture picReaktor, cmdCalc, cmdStop, the busy bar
// prgBusy, cmdProtokoll ("Record result"), cmdShowProt, cmdHelp and cmdClose.
//
// Calculate reads the inputs, lists every input fault in one box and runs the
// core design equations on a worker thread, on a copy of the inputs. While it
// runs, the inputs are locked, the busy bar moves and Stop (or Esc) abandons
// it; a change of the model or of an input abandons it as well, and closing
// the window stops it first. Only a completed calculation is applied, in the
// GUI thread: the result boxes, the rate constants into the shared state
// (kept for the model, so the other input windows show them) and
// ProtokollZeile. A refused or stopped calculation changes nothing.
//
// The window shows only the results of its own last calculation with the
// inputs it shows: a change of the model or of an input clears them.

#include <array>
#include <cstdint>
#include <vector>

#include "core/reactors/reactors.h"
#include "ui/shell/backgroundjob.h"
#include "ui/shell/modellinputform.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace kinhom {

class ReaktorBild;

// The inputs of one calculation, read from the boxes in the GUI thread.
struct ReactorJob {
    ReaktorModell m;     // the model with the rate constants of the boxes
    Konzentrationen c0{};
    int mode = 0;        // the input mode
    double t = 0;        // batch: the reaction time (mode 0)
    FlussEingabe e;      // the target conversion; V, V* and the cross-section
};

class ReaktorFenster : public ModellInputForm {
    Q_OBJECT
public:
    enum class Art { Batch, Rohr, Kessel };

    ReaktorFenster(Art art, QWidget* parent = nullptr);
    ~ReaktorFenster() override;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(int& Cancel) override;

    void optInput_Click(int Index);
    void cmdCalc_Click();
    void cmdStop_Click();
    void cmdShowKsi_Click();
    void cmdProtokoll_Click();
    void cmdShowProt_Click();
    void cmdClose_Click();

    // Reads the boxes into job and returns the input faults, one line each
    // followed by CR LF; empty when there are none. Changes nothing.
    QString ReadAndCheckInputs(ReactorJob& job) const;
    // The calculation of a job, as the worker runs it.
    static FlussErgebnis Calculate(Art art, const ReactorJob& job, const ReactorControl& control);

    // True from Calculate until the result is applied or the run is abandoned.
    bool isCalculating() const { return worker_.running(); }
    // True while a worker thread runs: the calculation, or abandoned ones
    // that are still ending (their results are dropped).
    bool hasWorkers() const { return worker_.threadsRunning(); }
    // The time bound of a calculation.
    double timeLimitSeconds = kReactorTimeLimitSeconds;

    Art art() const { return art_; }
    // The help page of the window.
    int HelpContextID() const override;

    std::array<QRadioButton*, 3> optInput{};
    QLineEdit* txtUmsatz = nullptr;
    QLabel* lblUmsatz = nullptr;
    QLabel* lblTau = nullptr;         // caption of Inp(14)
    QLabel* lblZeitEinheit = nullptr;
    QLineEdit* txtV = nullptr;
    QLineEdit* txtVPunkt = nullptr;
    QLabel* lblVPunktInput = nullptr;
    QLineEdit* txtQuerschnitt = nullptr;
    QLineEdit* txtLaenge = nullptr;
    QLabel* lblGrenze = nullptr;
    QLabel* lblZustand = nullptr;      // stirred tank: which steady state is shown
    ReaktorBild* picReaktor = nullptr;
    QPushButton* cmdCalc = nullptr;
    QPushButton* cmdStop = nullptr;
    QProgressBar* prgBusy = nullptr;
    QPushButton* cmdProtokoll = nullptr;
    QPushButton* cmdShowProt = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdClose = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // For a new model the final (outlet) boxes follow the species as well and
    // the window takes the focus; the time box shows the reaction time.
    bool ShowsResults() const override { return true; }
    void ShowModelTime(const Declare& d) override;

    // The shared input mode of this window.
    std::int16_t& inputMode() const;
    int modeCount() const { return art_ == Art::Batch ? 2 : 3; }

private:
    // A number box whose change is an input change.
    QLineEdit* inputBox(const char* name, int index = -1);
    // The constructor's building steps.
    QGroupBox* createInputModes();
    QGroupBox* createConcentrations();
    QGroupBox* createRateConstants();
    QGroupBox* createReactorFrame();
    void createKsi();
    QVBoxLayout* createCommands();
    void arrange(QGroupBox* fraInput, QGroupBox* fraKonz, QGroupBox* fraK, QGroupBox* fraReaktor,
                 QVBoxLayout* commands);
    // Which boxes take input in the current mode; the others show results.
    void setEditable();
    // The boxes that show results in the current mode.
    std::vector<QLineEdit*> resultBoxes() const;
    // Gives the empty input boxes of the current mode their start values.
    void fillEmptyInputs();
    // Captions that name the species whose conversion is reported.
    void setConversionCaptions();
    // A result is shown and may be recorded (cmdShowKsi's enabled state).
    void setResultValid(bool valid);
    // The model or an input changed: abandons a calculation under way and
    // clears the results shown.
    void inputsChanged();
    void clearResults();
    void showFailure(const QString& text);

    // The worker: start, the result's arrival, abandoning a run.
    void start(const ReactorJob& job);
    void abandon();
    void setBusy(bool busy);
    // Abandons a run and waits for every worker (closing the window).
    void stopWorkers();
    void showResult(const ReactorJob& job, const FlussErgebnis& r);

    Art art_;
    bool filling_ = false; // results are being written: no input change
    bool resultValid_ = false;
    std::array<QWidget*, 4> inputFrames_{}; // locked while a calculation runs
    BackgroundJob worker_{this}; // the running calculation and abandoned ones still ending
};

} // namespace kinhom
