#pragma once
// frmKinModel ("kinetic model"): the window in which the user picks the
// reaction model, the order n of model 20 and the time unit. It stays open
// beside the task windows; the task menus unload and re-show it so that its
// Form_Load applies the current model afresh.
//
// Picking a model (optTyp_Click) sets the model number and the diagram code,
// the species and rate-constant patterns, the stoichiometric matrix, the
// model's default rate constants and start concentrations, and lets the first
// loaded input window (names::kInputWindows: simulation set-up, stirred tank,
// batch, tubular reactor, fitting) show exactly the inputs of the new model
// (ModellInputForm::ShowModel).

#include <array>

#include <QPoint>

#include "ui/shell/kinform.h"

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kinhom {

class ModellInputForm;

class frmKinModel : public KinWidget {
    Q_OBJECT
public:
    explicit frmKinModel(QWidget* parent = nullptr);

    void Form_Load() override;
    int HelpContextID() const override { return 10240; }
    void Form_Activate() override;

    // The model choice; Index is the model number, 0 meaning model 20.
    void optTyp_Click(int Index);
    // The time-unit choice, Index 0 "s" to 4 "a".
    void optZeit_Click(int Index);
    void txtOrdnung_Change();
    // The key filter of the order box; KeyAscii 0 = the key is dropped.
    void txtOrdnung_KeyPress(int& KeyAscii);
    void cmdShowMatrix_Click();
    // Rewrites the data editor's grid after a change of the time unit.
    void RefreshDatenGrid();

    // The first loaded input window, or null.
    static ModellInputForm* FirstInputWindow();

    // ---- controls (objectName = control name) ----------------------------------
    QGroupBox* Rahmen1 = nullptr;
    QLabel* Bezeichnung2 = nullptr;
    std::array<QRadioButton*, 19> optTyp{};   // index = model number, 0 = model 20
    QLabel* lbl7 = nullptr;
    QLabel* lbl10 = nullptr;
    QLabel* lbl13 = nullptr;
    QLabel* lbl18 = nullptr;
    QLineEdit* txtOrdnung = nullptr;
    QLabel* Bez3 = nullptr;
    QLabel* Be3 = nullptr;
    QGroupBox* Frame1 = nullptr;
    std::array<QRadioButton*, 5> optZeit{};
    QLabel* lblRecalcTime = nullptr;
    QPushButton* cmdShowMatrix = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Building steps of the window, in the order of its tab chain.
    void buildModelOptions();
    void buildSimplePanel();
    QFrame* buildComplicatedPanel();
    void buildTimeUnitPanel();
    void arrangePanels(QFrame* fraComplicated);

    void setRecalcNote();
    void setOptionFonts(int Index);
    void PlaceAtRightEdge();

    bool inModelChoice_ = false;
    QPoint placedAt_{-1, -1}; // where PlaceAtRightEdge put the frame last
};

} // namespace kinhom
