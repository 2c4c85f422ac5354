#pragma once
// frmPrepareTimeDiagram: the simulation set-up window. The user enters the
// start concentrations, the rate constants and t(max) of the current model;
// Draw checks them, runs the simulation and hands the courses to the chart
// window; Table runs the same simulation and shows the result table. For the
// enzyme model the Michaelis-Menten panel draws or lists r(P)/r(P),max over
// the substrate start concentration.
//
// It serves the concentration-time and the rate-time task (RateDiagramm, set
// by the Model Simulation menu). On every model choice the model window has it
// show the model (ShowModel: the shared controls of ModellInputForm and the
// Michaelis-Menten controls).

#include <functional>
#include <QSize>
#include <QString>

#include "ui/shell/modellinputform.h"

class QCheckBox;
class QFont;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kinhom {

class frmPrepareTimeDiagram : public ModellInputForm {
    Q_OBJECT
public:
    explicit frmPrepareTimeDiagram(QWidget* parent = nullptr);

    void Form_Load() override;
    void Form_Activate() override;

    void Inp_Change(int Index);
    // Key filter of the input boxes; Enter moves to the next box. KeyAscii 0 =
    // the key is dropped.
    void Inp_KeyPress(int Index, int& KeyAscii);
    void chkDelDiagram_Click();
    void chkMitPunkten_Click();
    void chkNormiert_Click();
    void txtS0max_Change();
    void cmdDrawctDiagram_Click();
    void cmdListe_Click();
    void cmdMMdiagram_Click();
    void cmdMichaelisListe_Click();
    void cmdClose_Click();

    // Reads the boxes into the shared state and collects the input faults,
    // one line each followed by CR LF, in the order the checks run. The Table
    // button (forTable) also requires k2 > 0; Draw only in task mode 1.
    QString ReadAndCheckInputs(bool forTable);
    // The model's inputs (ModellInputForm), and the Michaelis-Menten controls
    // for the enzyme model.
    void ShowModel(Declare& d) override;

    // ---- controls beyond the shared ones (objectName = control name) -----------
    QGroupBox* Rahmen4 = nullptr;
    QLabel* Label1 = nullptr;
    QGroupBox* Rahmen5 = nullptr;
    QGroupBox* Rahmen6 = nullptr;
    QLabel* Bz8 = nullptr;       // "t(max)/" (element 8 of the caption array Bz)
    QLabel* unit4 = nullptr;
    QLabel* lblMichaelisK = nullptr;
    QWidget* fraMichaelis = nullptr;
    QPushButton* cmdMMdiagram = nullptr;
    QPushButton* cmdMichaelisListe = nullptr;
    QLineEdit* txtS0max = nullptr;
    QLabel* lblS0max = nullptr;
    QCheckBox* chkNormiert = nullptr;
    QPushButton* cmdDrawctDiagram = nullptr;
    QPushButton* cmdListe = nullptr;
    QCheckBox* chkDelDiagram = nullptr;
    QCheckBox* chkMitPunkten = nullptr;
    QPushButton* cmdClose = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

public:
    int HelpContextID() const override { return 10500; }
    // Grows the window when the model choice shows more boxes than fit.
    bool event(QEvent* event) override;

private:
    // Building steps of the window, in the order of its tab chain.
    QLineEdit* inputBox(int index);
    void buildConcentrationPanel(const QFont& bold);
    void buildRatePanel();
    void buildTimePanel();
    void buildMichaelisPanel();
    void buildCommands();
    void arrangePanels();

    // Shows the input faults, or returns false when there are none.
    bool refuse(const QString& faults);
    void showFailure(const QString& description);
    void RunAndShow(bool freshColumns, const std::function<void()>& show);

    // The frame size the window last fitted to its contents; a different
    // size was set by the user.
    QSize fittedSize_;
    bool ownRequest_ = false;
};

} // namespace kinhom
