#pragma once
// The base of the input windows (simulation set-up, fitting, the three reactor
// windows). They share control names so that the model window can relabel
// whichever of them is open: a control a window lacks stays null and is not
// addressed.
//
//   Inp[0..4]    start concentrations of species slots 1 to 5
//   Inp[5..9]    results of slots 1 to 5 (reactor windows)
//   Inp[10..12]  k1 to k3;  Inp[14] a time
//   lblStoff[0..9]  species labels of Inp[0..9]
//   Bz[5..7]     captions of Inp[10..12]
//   unit1..unit3 unit captions; Label7 the model line
//   cmdShowKsi, fraKsi, lblTextKsi_1, lblTextKsi_2  extent-of-reaction controls
//   lblMichaelisK, fraMichaelis (simulation set-up only)
//   chkConcFQS[1..5] (fitting window only)
//
// A derived window creates the controls it has, assigns them here and gives
// each the objectName of its control name ("Inp_10", "lblStoff_3", "Bz_5",
// "unit1", "chkConcFQS_2"); NameControl() does the naming.

#include <array>

#include "ui/shell/kinform.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kinhom {

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
    QLabel* lblMichaelisK = nullptr;
    QWidget* fraMichaelis = nullptr;
    std::array<QCheckBox*, 6> chkConcFQS{};

    // Gives a control its name: "name" alone, or "name_index" for an element of
    // a control array (index >= 0).
    static void NameControl(QWidget* control, const char* name, int index = -1);

protected:
    // A caption named after its control.
    QLabel* NamedLabel(const char* name, const QString& text, int index = -1);
    // A number box named after its control: fixed width, the window's own key
    // filter (eventFilter), its text selected on entry; an "Inp" box is also
    // entered into Inp.
    QLineEdit* NumberBox(const char* name, int index, int width);
};

} // namespace kinhom
