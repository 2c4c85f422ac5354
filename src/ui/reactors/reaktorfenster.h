#pragma once
// The common body of the three reactor windows (frmBatch, frmRohrreaktor,
// frmRKconti). Each has every control the model window relabels and the unit
// captions reach (ModellInputForm):
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
// limit lblGrenze, the picture picReaktor, cmdCalc, cmdProtokoll ("Record
// result"), cmdShowProt, cmdHelp and cmdClose.
//
// Calculate reads the inputs (the rate constants go into the shared state),
// lists every input fault in one box, calls the core design equations and
// fills the result boxes and ProtokollZeile.

#include <array>
#include <cstdint>

#include "ui/shell/modellinputform.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kinhom {

class ReaktorBild;

class ReaktorFenster : public ModellInputForm {
    Q_OBJECT
public:
    enum class Art { Batch, Rohr, Kessel };

    ReaktorFenster(Art art, QWidget* parent = nullptr);

    void Form_Load() override;
    void Form_Activate() override;

    void optInput_Click(int Index);
    void cmdCalc_Click();
    void cmdShowKsi_Click();
    void cmdProtokoll_Click();
    void cmdShowProt_Click();
    void cmdClose_Click();

    // Reads the boxes (k into the shared state) and returns the input faults,
    // one line each followed by CR LF; empty when there are none.
    QString ReadAndCheckInputs();

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
    QPushButton* cmdProtokoll = nullptr;
    QPushButton* cmdShowProt = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdClose = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    // The shared input mode of this window.
    std::int16_t& inputMode();
    int modeCount() const { return art_ == Art::Batch ? 2 : 3; }

private:
    // Which boxes take input in the current mode; the others show results.
    void setEditable();
    // Captions that name the species whose conversion is reported.
    void setConversionCaptions();
    // A result is shown and may be recorded (cmdShowKsi's enabled state).
    void setResultValid(bool valid);
    void showFailure(const QString& text);
    void calculate();

    Art art_;
    bool filling_ = false; // results are being written: no input change
};

} // namespace kinhom
