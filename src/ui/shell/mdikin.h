#pragma once
// The main window of the program: a multiple-document window with the menu bar,
// the toolbar, the first-steps panel and the two pop-up menus of the data
// editors. Every menu item is a public QAction (or QMenu for items that hold a
// submenu) named by its control name, so other windows enable, disable and
// connect them; control arrays are std::arrays indexed as the program indexes
// them (objectName "mnuctAusw_1").

#include <array>
#include <functional>
#include <string>

#include <QMainWindow>

#include "ui/shell/kinform.h"

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QPushButton;
class QToolBar;

namespace kinhom {

class MDIKIN : public QMainWindow, public KinForm {
    Q_OBJECT
public:
    explicit MDIKIN(QWidget* parent = nullptr);
    ~MDIKIN() override;

    Kind kind() const override { return Kind::MainWindow; }
    QWidget* widget() override { return this; }
    bool visibleOnLoad() const override { return false; }

    QMdiArea* mdiArea() const { return mdiArea_; }

    // The load of the main window: the start values of the shared state and the
    // protocol file name. The start-up windows follow the main window's first
    // paint (OpenStartWindows).
    void MDIForm_Load();
    // The start-up windows: the invisible "Main Window" child, the model window
    // and, unless they are switched off, the tips. Opens them once after the
    // load; any later call does nothing.
    void OpenStartWindows();
    void Form_Load() override { MDIForm_Load(); }
    void MDIForm_Resize();

    // ---- handlers ------------------------------------------------------------------
    void cmdErstnutzer_Click();
    void Picture1_Click();
    void Label2_Click(int Index);
    void Toolbar1_ButtonClick(int Index);
    void mnuEdit_Click();
    void mnuEditXY_Click();
    void mnuModel_Click();
    void mnuctGraph_Click();
    // The fitting items (mdikin_fitting.cpp).
    void mnuCtFitting_Click();
    void mnuROFitting_Click();
    void mnuNonIsothermFitting_Click(int Index);
    void mnuvtGraph_Click();
    // The reactor items (mdikin_reactors.cpp).
    void mnuBatchR_Click();
    void mnuRohrR_Click();
    void mnuKontRK_Click();
    void mnuOption_Click();
    void mnuFenster_Click();
    void mnuAboutKin_Click();
    void mnuIndex_Click();
    void mnuTip_Click();
    void mnuInfo_Click();
    void mnuEdit1_Click();
    void mnuEdit2_Click();
    void mnuSubMonteCarlo_Click(int Index);
    // mdikin_tools.cpp: the tangent items and the two calculators.
    void mnuSubTangente_Click(int Index);
    void mnuToolArrhenius_Click();
    void mnuToolEyring_Click();

    // Task menus of the evaluation of measured data and the Data menu's new
    // data (mdikin_evaluation.cpp).
    void mnuExpctAuswertung_Click();
    void mnuctAusw_Click(int Index);
    void mnuLambdaAusw_Click(int Index);
    void mnukT_Click(int Index);
    void mnuCalcTangente_Click();
    void mnuReaktor_Click();
    void mnuNeudat_Click();
    // Opens the data editor (shows it when it is open already).
    void ShowDataEditor();

    // The next free protocol file name of today in the folder of the program's
    // own files, app().ownFilesFolder() (yymmdd + counter + ".CSV"); makes that
    // folder the current directory.
    void SetAutoProtName(std::string& name);

    // Opens the help topic of a menu item (its help id, else the nearest menu
    // above it that has one); false when none has an id.
    bool ShowMenuHelp(QAction* item);
    // The help id of a menu item (0 = none).
    static int HelpContextID(const QAction* item);
    // F1 in a window: the help page of the active child window, else the contents.
    void ShowWindowHelp();

    // Windows that come with other parts of the program open through these; an
    // unset opener leaves its menu item without effect (the items stay disabled
    // until their window exists).
    std::function<void()> OpenModelWindow;  // load and show the model window
    std::function<void()> OpenDataEditor;   // open the data editor; while unset, loading
                                            // data leaves "New  exper. data" and
                                            // "View/Edit exper. data" disabled
    std::function<void()> OpenXYEditor;     // open the XY editor afresh
    // The close box of the main window: when set, it decides (true = close) and
    // does the closing work itself; unset, the child windows are unloaded
    // through their own handlers.
    std::function<bool()> QueryClose;

    // Presses a button of a loaded window found by its name; false when the
    // window or the button is missing.
    static bool PressButton(const QString& formName, const QString& buttonName);

    // ---- menus (objectName = control name) -----------------------------------------
    QMenu* mnuDaten = nullptr;
    QAction* mnuLoadLastSession = nullptr;
    QAction* mnuLoadProject = nullptr;
    QAction* mnuSaveProject = nullptr;
    QAction* sep6 = nullptr;
    QAction* mnuNeudat = nullptr;
    QAction* mnuEdit = nullptr;
    QAction* sep4 = nullptr;
    QAction* mnuEditXY = nullptr;
    QAction* sep7 = nullptr;
    QAction* mnuExit = nullptr;

    QAction* mnuModel = nullptr;

    QMenu* mnuAuswertung = nullptr;
    QMenu* mnuExpctAuswertung = nullptr;
    QMenu* mnuSubCtGrafisch = nullptr;
    std::array<QAction*, 5> mnuctAusw{};            // 1..4
    QAction* sep2 = nullptr;
    QAction* mnuCtFitting = nullptr;
    QAction* mnuROFitting = nullptr;
    QMenu* mnuExpctT = nullptr;
    std::array<QAction*, 3> mnuNonIsothermFitting{}; // 1..2
    QMenu* mnuSubLambdatGrafisch = nullptr;
    std::array<QAction*, 4> mnuLambdaAusw{};         // 1..3
    QMenu* mnuExpkTAuswertung = nullptr;
    std::array<QAction*, 3> mnukT{};                 // 1..2
    QMenu* mnuCalcTangente = nullptr;
    std::array<QAction*, 6> mnuSubTangente{};        // 1..5

    QMenu* mnuGraph = nullptr;
    QAction* mnuctGraph = nullptr;
    QAction* sep3 = nullptr;
    QAction* mnuvtGraph = nullptr;

    QMenu* mnuMonteCarlo = nullptr;
    std::array<QAction*, 2> mnuSubMonteCarlo{};      // 0..1

    QMenu* mnuReaktor = nullptr;
    QAction* mnuBatchR = nullptr;
    QAction* mnuRohrR = nullptr;
    QAction* mnuKontRK = nullptr;
    QAction* mnuKaskade = nullptr;

    QMenu* mnuOptionenTools = nullptr;
    QAction* mnuOption = nullptr;
    QAction* mnuToolArrhenius = nullptr;
    QAction* mnuToolEyring = nullptr;

    QMenu* mnuFenster = nullptr;

    QMenu* mnuHelp = nullptr;
    QAction* mnuAboutKin = nullptr;
    QAction* mnuIndex = nullptr;
    QAction* mnuTip = nullptr;
    QAction* strich = nullptr;
    QAction* mnuInfo = nullptr;

    // Pop-up menus of the data editor and the XY editor (not on the menu bar).
    QMenu* mnuEdit1 = nullptr;
    QAction* mnuCopy1 = nullptr;
    QAction* mnuPaste1 = nullptr;
    QMenu* mnuErase1 = nullptr;
    QAction* mnuSubDelNull1 = nullptr;
    QAction* mnuSubDelLine1 = nullptr;
    QMenu* mnuEdit2 = nullptr;
    QAction* mnuCopy2 = nullptr;
    QAction* mnuPaste2 = nullptr;
    QMenu* mnuErase2 = nullptr;
    QAction* mnuSubDelNull2 = nullptr;
    QAction* mnuSubDelLine2 = nullptr;

    // ---- toolbar and first-steps panel -----------------------------------------------
    QWidget* Picture2 = nullptr;                     // strip holding the toolbar and the button
    QToolBar* Toolbar1 = nullptr;
    std::array<QAction*, 17> Toolbar1Buttons{};      // 1..16; separators included
    QPushButton* cmdErstnutzer = nullptr;
    QWidget* Picture1 = nullptr;                     // the first-steps panel
    QLabel* Label1 = nullptr;
    std::array<QLabel*, 6> Label2{};
    QLabel* Label6 = nullptr;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildDataMenu();
    void buildEvaluationMenu();
    void buildSimulationAndToolMenus();
    void buildHelpMenu();
    void buildEditorPopupMenus();
    void connectMenuHandlers();
    void buildToolbar();
    void buildFirstStepsPanel();
    void closeTips();
    // The two Model Simulation items: concentrations (rates false) or rates.
    void ModelSimulation(bool rates);
    // The fitting items' shared steps (mdikin_fitting.cpp).
    void IsothermalFitting(int mode);
    void OpenFittingWindow();
    void FinishFitting();
    void fillWindowList();

    QMdiArea* mdiArea_ = nullptr;
    bool startWindowsDue_ = false; // loaded, start-up windows not yet opened
};

} // namespace kinhom
