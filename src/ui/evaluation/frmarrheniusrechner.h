#pragma once
// frmArrheniusRechner: the ARRHENIUS or EYRING calculator. It computes the rate
// constant k at a typed temperature from the parameters of the equation chosen
// by kTFunktion (1 ARRHENIUS: EA and A; 2 EYRING: activation enthalpy and
// entropy) and shows it in the time unit chosen with kTZeiteinheit.
//
//   d.kTFunktion = 1;                       // the calculator menus set this
//   app().unload<frmArrheniusRechner>();    // and open the window afresh
//   app().show<frmArrheniusRechner>();
//
// Energies are kept in J/mol in the shared state and shown in kJ/mol; a typed
// parameter is written back at once, so the window shows it again when it is
// activated.

#include <array>

#include "ui/shell/kinform.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kinhom {

class frmArrheniusRechner : public KinWidget {
    Q_OBJECT
public:
    explicit frmArrheniusRechner(QWidget* parent = nullptr);

    void Form_Load() override;
    int HelpContextID() const override { return 10340; }
    // Lays the window out for kTFunktion and shows the shared parameters.
    void Form_Activate() override;

    // Computes k; a box without a number, a temperature at or below 0 K and a
    // result that a number cannot hold give a message and an empty result.
    void cmdCalculate_Click();
    void cmbkTZeiteinheit_Click();
    void cmdClose_Click();

    QLabel* lblFormel = nullptr;
    QLabel* lblQuelle = nullptr;          // where the parameters come from
    std::array<QLabel*, 2> lblPar{};      // "EA" / "A", or the EYRING names
    std::array<QLineEdit*, 2> txtPar{};
    std::array<QLabel*, 2> lblParUnit{};
    QLabel* lblT = nullptr;
    QLineEdit* txtT = nullptr;
    QLabel* lblTUnit = nullptr;
    QLabel* lblKCaption = nullptr;
    QLabel* lblK = nullptr;               // the result
    QComboBox* cmbkTZeiteinheit = nullptr; // "1/s" ... "1/a"
    QPushButton* cmdCalculate = nullptr;
    QPushButton* cmdClose = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // A typed parameter into the shared state (kJ/mol -> J/mol for energies).
    void storeParameter(int index);
    bool eyring() const;
    bool showing_ = false; // the boxes are being filled by the window itself
};

} // namespace kinhom
