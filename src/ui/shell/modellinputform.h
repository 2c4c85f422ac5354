#pragma once
// The base of the input windows (simulation set-up, fitting, the three reactor
// windows; names::kInputWindows lists them). When a model is chosen the model
// window calls ShowModel on the first loaded one, which shows the inputs of the
// new model on its own controls. They share these controls (a control a window
// lacks stays null and is not addressed):
//
//   Inp[0..4]    start concentrations of species slots 1 to 5
//   Inp[5..9]    results of slots 1 to 5 (reactor windows)
//   Inp[10..12]  k1 to k3;  Inp[14] a time
//   lblStoff[0..9]  species labels of Inp[0..9]
//   Bz[5..7]     captions of Inp[10..12]
//   unit1..unit3 unit captions; Label7 the model line
//   cmdShowKsi, fraKsi, lblTextKsi_1, lblTextKsi_2  extent-of-reaction controls
//
// A derived window creates the controls it has, assigns them here and gives
// each the objectName of its control name ("Inp_10", "lblStoff_3", "Bz_5",
// "unit1", "chkConcFQS_2"); NameControl() does the naming.

#include <array>

#include "ui/shell/kinform.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kinhom {

struct Declare;

class ModellInputForm : public KinWidget {
    Q_OBJECT
public:
    explicit ModellInputForm(QWidget* parent = nullptr) : KinWidget(parent) {}

    std::array<QLineEdit*, 15> Inp{};
    std::array<QLabel*, 10> lblStoff{};
    std::array<QLabel*, 8> Bz{};
    QLabel* unit1 = nullptr;
    QLabel* unit2 = nullptr;
    QLabel* unit3 = nullptr;
    QLabel* Label7 = nullptr;
    QPushButton* cmdShowKsi = nullptr;
    QWidget* fraKsi = nullptr;
    QLabel* lblTextKsi_1 = nullptr;
    QLabel* lblTextKsi_2 = nullptr;

    // Shows the inputs of the current model (d.ModellNr, d.Arbeitsmodus; the
    // captions and visibility of LabelsForModel): the boxes and labels of the
    // species and rate constants in use with their captions, the model line,
    // no extents of reaction (d.Umsatz := 0), the result boxes at 0, the start
    // concentrations, the rate constants and the time. Applies the catalyst
    // seed, which follows the window's box of C. A window with controls of its
    // own for the model shows them too.
    virtual void ShowModel(Declare& d);
    // Writes k1..k3, or what the task mode shows in their place, into Inp(10..12).
    void ShowRateConstants(const Declare& d);
    // After a change of the time unit: each box of Inp(10..12) that holds a
    // valid rate constant (a positive number) shows it divided by factor (a
    // typed value not yet used is converted, not replaced); a refused text and
    // a parameter with a unit of its own stay as they are.
    void ConvertRateConstants(double factor);

    // Gives a control its name: "name" alone, or "name_index" for an element of
    // a control array (index >= 0).
    static void NameControl(QWidget* control, const char* name, int index = -1);

protected:
    // A window that shows results in Inp(5..9) (the reactor windows): those
    // boxes follow the species in use too, and ShowModel gives it the focus.
    virtual bool ShowsResults() const { return false; }
    // The time box Inp(14) for a new model: t(max) here.
    virtual void ShowModelTime(const Declare& d);
    // Whether box j (1 to 3) of Inp(10..12) holds a parameter with a unit of
    // its own rather than a rate constant (the fitting window's order and
    // activation energy); ConvertRateConstants leaves it alone.
    virtual bool OwnUnitParameter(int j) const
    {
        (void)j;
        return false;
    }

    // A caption named after its control.
    QLabel* NamedLabel(const char* name, const QString& text, int index = -1);
    // A number box named after its control: fixed width, the window's own key
    // filter (eventFilter), its text selected on entry; an "Inp" box is also
    // entered into Inp.
    QLineEdit* NumberBox(const char* name, int index, int width);
};

} // namespace kinhom
