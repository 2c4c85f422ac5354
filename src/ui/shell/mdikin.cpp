#include "ui/shell/mdikin.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QSvgRenderer>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "core/shell/numtext.h"
#include "core/shell/protname.h"
#include "core/shell/startup.h"
#include "ui/dataedit/frmmanuinput.h"
#include "ui/shell/application.h"
#include "ui/shell/fileactions.h"
#include "ui/shell/frmoption.h"
#include "ui/shell/frmphantom.h"
#include "ui/shell/frmtip.h"
#include "ui/shell/formnames.h"
#include "ui/shell/guarded.h"
#include "ui/kinetics/frmkinmodel.h"
#include "ui/kinetics/frmpreparetimediagram.h"

namespace kinhom {

namespace {

const char* const kHelpProperty = "HelpContextID";
const char* const kParentProperty = "parentMenuAction";

QString IconFolder()
{
    if (App* a = App::current())
        return QString::fromStdString((a->programFolder() / "icons").string());
    return QDir(QCoreApplication::applicationDirPath()).filePath("icons");
}

// A toolbar image from our SVG file, drawn at the size the toolbar asks for when
// it first paints; a standard icon when the file is missing or unreadable.
QIcon ToolbarIcon(const QString& file, QStyle::StandardPixmap fallback, QStyle* style)
{
    const QString path = QDir(IconFolder()).filePath(file);
    if (!QFileInfo::exists(path) || !QSvgRenderer(path).isValid())
        return style->standardIcon(fallback);
    return QIcon(path);
}

void SetParentMenu(QAction* item, QMenu* parent)
{
    if (item && parent)
        item->setProperty(kParentProperty, QVariant::fromValue<QObject*>(parent->menuAction()));
}

// Menu-building steps share these: each menu and item gets its object name, help topic and
// parent link; every menu reports to the main window's event filter.
QMenu* AddMenu(QMainWindow& window, QMenu* parent, const char* name, const QString& caption, int helpId = 0)
{
    QMenu* m = parent ? parent->addMenu(caption) : window.menuBar()->addMenu(caption);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    if (helpId)
        m->menuAction()->setProperty(kHelpProperty, helpId);
    SetParentMenu(m->menuAction(), parent);
    m->installEventFilter(&window);
    return m;
}

QAction* AddItem(QMenu* parent, const QString& name, const QString& caption, int helpId = 0, bool enabled = true)
{
    QAction* a = parent->addAction(caption);
    a->setObjectName(name);
    if (helpId)
        a->setProperty(kHelpProperty, helpId);
    a->setEnabled(enabled);
    SetParentMenu(a, parent);
    return a;
}

QAction* AddSeparator(QMenu* parent, const char* name)
{
    QAction* a = parent->addSeparator();
    a->setObjectName(name);
    SetParentMenu(a, parent);
    return a;
}

QString Indexed(const char* name, int i)
{
    return QString("%1_%2").arg(name).arg(i);
}

} // namespace

MDIKIN::MDIKIN(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("MDIKIN");
    setWindowTitle("KINHOM-3     Kinetics of Homogeneous Chemical Reactions");

    auto* central = new QWidget(this);
    central->setObjectName("MDIClient");
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    buildToolbar();
    buildFirstStepsPanel();
    mdiArea_ = new QMdiArea(central);
    mdiArea_->setObjectName("mdiArea");
    mdiArea_->setBackground(QColor(0x8a, 0x9b, 0xad));
    layout->addWidget(Picture2);
    layout->addWidget(Picture1);
    layout->addWidget(mdiArea_, 1);
    setCentralWidget(central);
    Picture2->setParent(central);
    Picture1->setParent(central);

    buildMenus();
    resize(1200, 850);

    // F1 in a window opens the help page of that window.
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setObjectName("F1");
    connect(help, &QShortcut::activated, this, Guarded([this] { ShowWindowHelp(); }));

    OpenModelWindow = [] { app().show<frmKinModel>(); };
    OpenXYEditor = [] { app().show<frmManuInput>(); };
    OpenDataEditor = [this] { ShowDataEditor(); };

    // Loading a project or the last session reopens the model window, which
    // applies the loaded model afresh, and then shows the project's rate
    // constants in the input window that the model window relabelled.
    fileActionHooks().reopenModelWindow = [] {
        app().unload<frmKinModel>();
        app().show<frmKinModel>();
    };
    fileActionHooks().showRateConstants = [] {
        if (ModellInputForm* f = frmKinModel::FirstInputWindow())
            f->ShowRateConstants(app().declare());
    };
}

MDIKIN::~MDIKIN() = default;

// ---- construction ------------------------------------------------------------------------

void MDIKIN::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName("MenuBar");
    bar->installEventFilter(this);

    buildDataMenu();
    // Model: an item of the menu bar itself.
    mnuModel = bar->addAction("&Model");
    mnuModel->setObjectName("mnuModel");
    mnuModel->setProperty(kHelpProperty, 10240);
    buildEvaluationMenu();
    buildSimulationAndToolMenus();
    buildHelpMenu();
    buildEditorPopupMenus();
    connectMenuHandlers();
}

// Data. The file items and Exit are connected by the file actions.
void MDIKIN::buildDataMenu()
{
    mnuDaten = AddMenu(*this, nullptr, "mnuDaten", "&Data", 10070);
    mnuLoadLastSession = AddItem(mnuDaten, "mnuLoadLastSession", "Load last session");
    mnuLoadProject = AddItem(mnuDaten, "mnuLoadProject", "Load existing project");
    mnuSaveProject = AddItem(mnuDaten, "mnuSaveProject", "Save actual project as ...");
    sep6 = AddSeparator(mnuDaten, "sep6");
    mnuNeudat = AddItem(mnuDaten, "mnuNeudat", "New  exper. data", 10130);
    mnuEdit = AddItem(mnuDaten, "mnuEdit", "View/Edit exper. data", 10100, false);
    sep4 = AddSeparator(mnuDaten, "sep4");
    mnuEditXY = AddItem(mnuDaten, "mnuEditXY", "XY Data View / Edit", 0, true);
    sep7 = AddSeparator(mnuDaten, "sep7");
    mnuExit = AddItem(mnuDaten, "mnuExit", "Exit", 10110);
}

// Evaluation of experiments.
void MDIKIN::buildEvaluationMenu()
{
    mnuAuswertung = AddMenu(*this, nullptr, "mnuAuswertung", "Evaluation of experiments");
    mnuExpctAuswertung = AddMenu(*this, mnuAuswertung, "mnuExpctAuswertung", "Evaluating c-t(-T) data ");
    mnuSubCtGrafisch = AddMenu(*this, mnuExpctAuswertung, "mnuSubCtGrafisch", "Graph-assisted evaluation via straight line function");
    mnuctAusw[1] = AddItem(mnuSubCtGrafisch, Indexed("mnuctAusw", 1), "... for 1st order  A => P", 10030);
    mnuctAusw[2] = AddItem(mnuSubCtGrafisch, Indexed("mnuctAusw", 2), "... for 2nd order  2 A => P", 10040);
    mnuctAusw[3] = AddItem(mnuSubCtGrafisch, Indexed("mnuctAusw", 3), "... for 2nd order  A + B => P ", 10050);
    mnuctAusw[4] = AddItem(mnuSubCtGrafisch, Indexed("mnuctAusw", 4), "WILKINSON", 0, false);
    mnuctAusw[4]->setVisible(false);
    sep2 = AddSeparator(mnuExpctAuswertung, "sep2");
    mnuCtFitting = AddItem(mnuExpctAuswertung, "mnuCtFitting", "Fitting isothermal,  k, according to select. model", 0, true);
    mnuROFitting = AddItem(mnuExpctAuswertung, "mnuROFitting", "Fitting isothermal,  k and order of reaction, A => P", 0, true);
    mnuExpctT = AddMenu(*this, mnuAuswertung, "mnuExpctT", "Evaluating c-t-T data (non-isothermal) ");
    mnuNonIsothermFitting[1] = AddItem(mnuExpctT, Indexed("mnuNonIsothermFitting", 1),
                                    "Fitting non-isothermal, 1st-order A => P, using t-c(A)-T data", 0, true);
    mnuNonIsothermFitting[2] = AddItem(mnuExpctT, Indexed("mnuNonIsothermFitting", 2),
                                    "Fitting non-isothermal, 2nd-order 2A => P using t-c(A)-T data", 0, true);
    mnuSubLambdatGrafisch = AddMenu(*this, mnuAuswertung, "mnuSubLambdatGrafisch", "Graph-assisted evaluation of lambda(t) data (isothermal)");
    mnuLambdaAusw[1] = AddItem(mnuSubLambdatGrafisch, Indexed("mnuLambdaAusw", 1), "... for 1st order  A => P");
    mnuLambdaAusw[2] = AddItem(mnuSubLambdatGrafisch, Indexed("mnuLambdaAusw", 2), "... for 2nd order  2 A => P");
    mnuLambdaAusw[3] = AddItem(mnuSubLambdatGrafisch, Indexed("mnuLambdaAusw", 3), "... for 2nd order  A + B => P ");
    mnuExpkTAuswertung = AddMenu(*this, mnuAuswertung, "mnuExpkTAuswertung", "Evaluating k-T data", 10290);
    mnukT[1] = AddItem(mnuExpkTAuswertung, Indexed("mnukT", 1), "ARRHENIUS equation", 10300);
    mnukT[2] = AddItem(mnuExpkTAuswertung, Indexed("mnukT", 2), "EYRING equation", 10310);
    mnuCalcTangente = AddMenu(*this, mnuAuswertung, "mnuCalcTangente", "Rate of reaction from exper. c(i)-t points");
    const char* species[] = {"", "A", "B", "C", "P", "Q"};
    for (int i = 1; i <= 5; ++i)
        mnuSubTangente[std::size_t(i)] = AddItem(mnuCalcTangente, Indexed("mnuSubTangente", i),
                                              QString("from points c(%1) - t").arg(species[i]), 0, false);
}

void MDIKIN::buildSimulationAndToolMenus()
{
    // Model simulation.
    mnuGraph = AddMenu(*this, nullptr, "mnuGraph", "Model &Simulation");
    mnuctGraph = AddItem(mnuGraph, "mnuctGraph", "Diagram/Table \"Concentration vs. Time\"");
    sep3 = AddSeparator(mnuGraph, "sep3");
    mnuvtGraph = AddItem(mnuGraph, "mnuvtGraph", "Diagram/Table \"Reaction Rate vs. Time\"");

    // Monte-Carlo.
    mnuMonteCarlo = AddMenu(*this, nullptr, "mnuMonteCarlo", "Monte-&Carlo");
    mnuSubMonteCarlo[0] = AddItem(mnuMonteCarlo, Indexed("mnuSubMonteCarlo", 0), "1st-order reaction A => P ", 0);
    mnuSubMonteCarlo[1] = AddItem(mnuMonteCarlo, Indexed("mnuSubMonteCarlo", 1), "Dynamic Reaction Equilibrium A <=> P", 0);

    // Reactors.
    mnuReaktor = AddMenu(*this, nullptr, "mnuReaktor", "&Reactors");
    mnuBatchR = AddItem(mnuReaktor, "mnuBatchR", "Batch Reactor");
    mnuRohrR = AddItem(mnuReaktor, "mnuRohrR", "Tubular Flow Reactor (TFR)");
    mnuKontRK = AddItem(mnuReaktor, "mnuKontRK", "Continuous Stirred Tank (CSTR) ");
    mnuKaskade = AddItem(mnuReaktor, "mnuKaskade", "Cascade", 0, false);

    // Options.
    mnuOptionenTools = AddMenu(*this, nullptr, "mnuOptionenTools", "&Options");
    mnuOption = AddItem(mnuOptionenTools, "mnuOption", "Options");
    mnuToolArrhenius = AddItem(mnuOptionenTools, "mnuToolArrhenius", "ARRHENIUS Calculator", 0, true);
    mnuToolEyring = AddItem(mnuOptionenTools, "mnuToolEyring", "EYRING Calculator", 0, true);

    // Windows: the list of the open child windows.
    mnuFenster = AddMenu(*this, nullptr, "mnuFenster", "&Windows");
}

void MDIKIN::buildHelpMenu()
{
    mnuHelp = AddMenu(*this, nullptr, "mnuHelp", "&Help", 10250);
    mnuAboutKin = AddItem(mnuHelp, "mnuAboutKin", "About this program", 10260);
    mnuIndex = AddItem(mnuHelp, "mnuIndex", "Help", 10270);
    mnuTip = AddItem(mnuHelp, "mnuTip", "Show Tips");
    strich = AddSeparator(mnuHelp, "strich");
    mnuInfo = AddItem(mnuHelp, "mnuInfo", "Copyright, Contact", 10280);
}

// The pop-up menus of the two editors (not on the menu bar).
void MDIKIN::buildEditorPopupMenus()
{
    auto popup = [this](const char* name, const QString& caption) {
        auto* m = new QMenu(caption, this);
        m->setObjectName(name);
        m->menuAction()->setObjectName(name);
        m->menuAction()->setVisible(false);
        m->installEventFilter(this);
        return m;
    };
    mnuEdit1 = popup("mnuEdit1", "Popup-menue exp-daten-grid");
    mnuCopy1 = AddItem(mnuEdit1, "mnuCopy1", "Copy", 0, false);
    mnuPaste1 = AddItem(mnuEdit1, "mnuPaste1", "Paste", 0, false);
    mnuErase1 = AddMenu(*this, mnuEdit1, "mnuErase1", "Delete");
    mnuErase1->menuAction()->setEnabled(false);
    mnuSubDelNull1 = AddItem(mnuErase1, "mnuSubDelNull1", "marked cell(s) => 0");
    mnuSubDelLine1 = AddItem(mnuErase1, "mnuSubDelLine1", "remove marked line(s)");
    mnuEdit2 = popup("mnuEdit2", "PopUpMenue XY-editor");
    mnuCopy2 = AddItem(mnuEdit2, "mnuCopy2", "Copy", 0, false);
    mnuPaste2 = AddItem(mnuEdit2, "mnuPaste2", "Paste", 0, false);
    mnuErase2 = AddMenu(*this, mnuEdit2, "mnuErase2", "Delete");
    mnuErase2->menuAction()->setEnabled(false);
    mnuSubDelNull2 = AddItem(mnuErase2, "mnuSubDelNull2", "marked cell(s) => 0");
    mnuSubDelLine2 = AddItem(mnuErase2, "mnuSubDelLine2", "remove marked line(s)");
}

void MDIKIN::connectMenuHandlers()
{
    connect(mnuEdit, &QAction::triggered, this, Guarded([this] { mnuEdit_Click(); }));
    connect(mnuEditXY, &QAction::triggered, this, Guarded([this] { mnuEditXY_Click(); }));
    connect(mnuModel, &QAction::triggered, this, Guarded([this] { mnuModel_Click(); }));
    connect(mnuctGraph, &QAction::triggered, this, Guarded([this] { mnuctGraph_Click(); }));
    connect(mnuCtFitting, &QAction::triggered, this, Guarded([this] { mnuCtFitting_Click(); }));
    connect(mnuROFitting, &QAction::triggered, this, Guarded([this] { mnuROFitting_Click(); }));
    for (int i = 1; i <= 2; ++i)
        connect(mnuNonIsothermFitting[std::size_t(i)], &QAction::triggered, this,
                Guarded([this, i] { mnuNonIsothermFitting_Click(i); }));
    connect(mnuvtGraph, &QAction::triggered, this, Guarded([this] { mnuvtGraph_Click(); }));
    connect(mnuOption, &QAction::triggered, this, Guarded([this] { mnuOption_Click(); }));
    connect(mnuReaktor, &QMenu::aboutToShow, this, Guarded([this] { mnuReaktor_Click(); }));
    connect(mnuBatchR, &QAction::triggered, this, Guarded([this] { mnuBatchR_Click(); }));
    connect(mnuRohrR, &QAction::triggered, this, Guarded([this] { mnuRohrR_Click(); }));
    connect(mnuKontRK, &QAction::triggered, this, Guarded([this] { mnuKontRK_Click(); }));
    for (int i = 1; i <= 5; ++i)
        connect(mnuSubTangente[std::size_t(i)], &QAction::triggered, this, Guarded([this, i] { mnuSubTangente_Click(i); }));
    connect(mnuToolArrhenius, &QAction::triggered, this, Guarded([this] { mnuToolArrhenius_Click(); }));
    connect(mnuToolEyring, &QAction::triggered, this, Guarded([this] { mnuToolEyring_Click(); }));
    connect(mnuNeudat, &QAction::triggered, this, Guarded([this] { mnuNeudat_Click(); }));
    connect(mnuExpctAuswertung, &QMenu::aboutToShow, this, Guarded([this] { mnuExpctAuswertung_Click(); }));
    for (int i = 1; i <= 4; ++i)
        connect(mnuctAusw[std::size_t(i)], &QAction::triggered, this, Guarded([this, i] { mnuctAusw_Click(i); }));
    for (int i = 1; i <= 3; ++i)
        connect(mnuLambdaAusw[std::size_t(i)], &QAction::triggered, this, Guarded([this, i] { mnuLambdaAusw_Click(i); }));
    for (int i = 1; i <= 2; ++i)
        connect(mnukT[std::size_t(i)], &QAction::triggered, this, Guarded([this, i] { mnukT_Click(i); }));
    connect(mnuCalcTangente, &QMenu::aboutToShow, this, Guarded([this] { mnuCalcTangente_Click(); }));
    connect(mnuFenster, &QMenu::aboutToShow, this, Guarded([this] { mnuFenster_Click(); }));
    connect(mnuAboutKin, &QAction::triggered, this, Guarded([this] { mnuAboutKin_Click(); }));
    connect(mnuIndex, &QAction::triggered, this, Guarded([this] { mnuIndex_Click(); }));
    connect(mnuTip, &QAction::triggered, this, Guarded([this] { mnuTip_Click(); }));
    connect(mnuInfo, &QAction::triggered, this, Guarded([this] { mnuInfo_Click(); }));
    for (int i : {0, 1})
        connect(mnuSubMonteCarlo[std::size_t(i)], &QAction::triggered, this, Guarded([this, i] { mnuSubMonteCarlo_Click(i); }));
    connect(mnuEdit1, &QMenu::aboutToShow, this, Guarded([this] { mnuEdit1_Click(); }));
    connect(mnuEdit2, &QMenu::aboutToShow, this, Guarded([this] { mnuEdit2_Click(); }));
    connect(mnuCopy1, &QAction::triggered, this, Guarded([] { PressButton(names::frmDatedit, names::cmdClipboard); }));
    connect(mnuPaste1, &QAction::triggered, this, Guarded([] { PressButton(names::frmDatedit, names::cmdClipEinfuegen); }));
    connect(mnuSubDelNull1, &QAction::triggered, this, Guarded([] { PressButton(names::frmDatedit, names::cmdEraseSelected); }));
    connect(mnuSubDelLine1, &QAction::triggered, this, Guarded([] { PressButton(names::frmDatedit, names::cmdErase); }));
    connect(mnuCopy2, &QAction::triggered, this, Guarded([] { PressButton(names::frmManuInput, names::cmdClipboard); }));
    connect(mnuPaste2, &QAction::triggered, this, Guarded([] { PressButton(names::frmManuInput, names::cmdClipEinfuegen); }));
    connect(mnuSubDelNull2, &QAction::triggered, this, Guarded([] { PressButton(names::frmManuInput, names::cmdEraseSelected); }));
    connect(mnuSubDelLine2, &QAction::triggered, this, Guarded([] { PressButton(names::frmManuInput, names::cmdErase); }));

    // The toolbar's task buttons follow the state of their menu items.
    auto follow = [this](int button, QAction* menuItem) {
        QAction* b = Toolbar1Buttons[std::size_t(button)];
        b->setEnabled(menuItem->isEnabled());
        connect(menuItem, &QAction::changed, b, Guarded([b, menuItem] { b->setEnabled(menuItem->isEnabled()); }));
    };
    follow(2, mnuNeudat);
    follow(14, mnuToolArrhenius);
    follow(16, mnuToolEyring);
}

void MDIKIN::buildToolbar()
{
    Picture2 = new QWidget(this);
    Picture2->setObjectName("Picture2");
    Picture2->setAutoFillBackground(true);

    Toolbar1 = new QToolBar(Picture2);
    Toolbar1->setObjectName("Toolbar1");
    Toolbar1->setIconSize(QSize(24, 24));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    // Separators are gaps; a run of them sets the calculators apart.
    Toolbar1->setStyleSheet("QToolBar#Toolbar1 { border: none; }"
                            "QToolBar#Toolbar1::separator { width: 7px; background: transparent; }");

    struct Button {
        int index;
        const char* image;
        QStyle::StandardPixmap fallback;
        const char* tooltip;
    };
    const Button commands[] = {
        {2, "newproject.svg", QStyle::SP_FileIcon, "New project "},
        {4, "lastsession.svg", QStyle::SP_BrowserReload, "Load last session"},
        {6, "openproject.svg", QStyle::SP_DialogOpenButton, "Load an existing project "},
        {7, "saveproject.svg", QStyle::SP_DialogSaveButton, "Save actual session as ..."},
        {14, "arrhenius.svg", QStyle::SP_FileDialogDetailedView, " ARRHENIUS calculator "},
        {16, "eyring.svg", QStyle::SP_FileDialogContentsView, " EYRING calculator "},
    };
    for (int i = 1; i <= 16; ++i) {
        const Button* cmd = nullptr;
        for (const Button& b : commands)
            if (b.index == i)
                cmd = &b;
        QAction* a = nullptr;
        if (cmd) {
            a = Toolbar1->addAction(ToolbarIcon(cmd->image, cmd->fallback, style()), QString());
            a->setToolTip(cmd->tooltip);
            connect(a, &QAction::triggered, this, Guarded([this, i] { Toolbar1_ButtonClick(i); }));
        } else {
            a = Toolbar1->addSeparator();
        }
        a->setObjectName(QString("Toolbar1_%1").arg(i));
        Toolbar1Buttons[std::size_t(i)] = a;
    }
    // Button 7 is enabled by the start-up.
    Toolbar1Buttons[7]->setEnabled(false);

    cmdErstnutzer = new QPushButton("First Steps     (on / off)", Picture2);
    cmdErstnutzer->setObjectName("cmdErstnutzer");
    cmdErstnutzer->setToolTip("Short instructions for first steps with KINHOM-3");
    connect(cmdErstnutzer, &QPushButton::clicked, this, Guarded([this] { cmdErstnutzer_Click(); }));

    const QSize tb = Toolbar1->sizeHint();
    const QSize bt = cmdErstnutzer->sizeHint();
    const int height = std::max(tb.height(), bt.height()) + 4;
    Picture2->setFixedHeight(height);
    Toolbar1->setGeometry(0, (height - tb.height()) / 2, tb.width(), tb.height());
    cmdErstnutzer->resize(std::max(bt.width(), 180), bt.height());
    cmdErstnutzer->move(0, (height - bt.height()) / 2);
}

void MDIKIN::buildFirstStepsPanel()
{
    Picture1 = new QFrame(this);
    Picture1->setObjectName("Picture1");
    static_cast<QFrame*>(Picture1)->setFrameShape(QFrame::Panel);
    static_cast<QFrame*>(Picture1)->setFrameShadow(QFrame::Sunken);
    Picture1->setAutoFillBackground(true);
    QPalette pal = Picture1->palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 225));
    pal.setColor(QPalette::WindowText, Qt::black);
    Picture1->setPalette(pal);
    Picture1->setCursor(Qt::PointingHandCursor);
    Picture1->setToolTip("Click to hide these notes");
    Picture1->installEventFilter(this);

    const int lineHeight = QFontMetrics(font()).height() + 3;
    int top = 6;
    auto line = [&](const char* name, const QString& text, bool bold = false) {
        auto* l = new QLabel(text, Picture1);
        l->setObjectName(name);
        l->setWordWrap(false);
        if (bold) {
            QFont f = l->font();
            f.setBold(true);
            l->setFont(f);
        }
        l->setGeometry(6, top, 2000, lineHeight);
        top += lineHeight;
        return l;
    };
    Label1 = line("Label1", "    If you are not yet familiar with KINHOM:", true);
    top += 4;
    Label2[0] = line("Label2_0", " (1)  Do begin a new project (click on the left-hand icon); input your experimental data in the data editor opened.");
    Label2[1] = line("Label2_1", " (2)  Do select the kinetic model by clicking the right item in the window \"kinetic model\".");
    Label2[2] = line("Label2_2", " (3)  Do select \"Evaluating c-t(T) Data\" if  you  want (a) for isothermal data (no temperature input) to calculate the rate constant(s) or the rate of reaction(s) ");
    Label6 = line("Label6", " or (b) for non-isothermal data (if there was time, concentration and temperature input) an analysis using the Arrhenius or Eyring model resp.");
    Label2[3] = line("Label2_3", " (4)  Do select \"Evaluating k-T Data\" if you want to estimate the Activation Energy for your experimental k-T data.");
    Label2[4] = line("Label2_4", " - For reactor calculations the rate constants have to be available. Before selecting \"Reactors\" do select the kinetic model in question.");
    Label2[5] = line("Label2_5", " - For the \"Model Simulation\" and the \"Monte-Carlo Simulation\" no experimental data are needed.");
    for (QLabel* l : Label2)
        l->installEventFilter(this);
    Picture1->setFixedHeight(top + 6);
}

// ---- load and resize -----------------------------------------------------------------------

void MDIKIN::MDIForm_Load()
{
    App& a = app();
    Declare& d = a.declare();

    // The start values of the shared state (dimensions, English tips, decimal
    // sign, folders, time unit, factors, model names, defaults, last-session
    // file, separator). The help pages are read from a.helpFolder().
    SetStartupValues(d, a.fileFolders(), App::localeDecimalSign().toStdString());

    Toolbar1Buttons[7]->setEnabled(true);
    mnuEdit->setEnabled(false);
    Picture1->hide();

    SetAutoProtName(d.ProtDateiName);

    // The start-up windows open once the main window has painted itself (see
    // event()), so the user sees the main window without waiting for them; a
    // main window that is never painted (minimised) gets them after a second.
    startWindowsDue_ = true;
    QTimer::singleShot(1000, this, Guarded([this] { OpenStartWindows(); }));
}

void MDIKIN::OpenStartWindows()
{
    if (!startWindowsDue_)
        return;
    startWindowsDue_ = false;
    App& a = app();
    a.get<frmPhantom>();
    if (OpenModelWindow)
        OpenModelWindow();
    // Tips that are switched off are not loaded: the window costs nothing
    // until it is opened.
    if (frmTip::SwitchedOffAtStartup())
        a.declare().KeineTipsBeimStart = true;
    else
        a.get<frmTip>();
}

bool MDIKIN::event(QEvent* event)
{
    const bool handled = QMainWindow::event(event);
    // The whole window has painted when a call queued now runs; a call queued
    // by a later paint finds the windows open and does nothing.
    if (event->type() == QEvent::Paint && startWindowsDue_)
        QTimer::singleShot(0, this, Guarded([this] { OpenStartWindows(); }));
    return handled;
}

void MDIKIN::MDIForm_Resize()
{
    // The first-steps button keeps 200 twips from the right edge; the panel's
    // lines are as wide as the screen, so no line wraps.
    cmdErstnutzer->move(width() - cmdErstnutzer->width() - TwipsToPixels(200), cmdErstnutzer->y());
    int screenWidth = 1920;
    if (QScreen* s = screen())
        screenWidth = s->size().width();
    for (QLabel* l : Label2)
        l->resize(screenWidth, l->height());
    Label1->resize(screenWidth, Label1->height());
    Label6->resize(screenWidth, Label6->height());
}

void MDIKIN::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    MDIForm_Resize();
}

void MDIKIN::closeEvent(QCloseEvent* event)
{
    if (QueryClose) {
        if (QueryClose())
            event->accept();
        else
            event->ignore();
        return;
    }
    if (App* a = App::current()) {
        if (!a->unloadAll(UnloadMode::MdiParent)) {
            event->ignore();
            return;
        }
        a->services().closeHelp();
    }
    event->accept();
}

// ---- first-steps panel ------------------------------------------------------------------------

void MDIKIN::cmdErstnutzer_Click() { Picture1->setVisible(Picture1->isHidden()); }

void MDIKIN::Picture1_Click() { Picture1->hide(); }

void MDIKIN::Label2_Click(int Index)
{
    (void)Index;
    Picture1->hide();
}

bool MDIKIN::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == Picture1) {
            Picture1_Click();
            return true;
        }
        for (int i = 0; i < int(Label2.size()); ++i)
            if (watched == Label2[std::size_t(i)]) {
                Label2_Click(i);
                return true;
            }
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        QAction* item = nullptr;
        if (auto* m = qobject_cast<QMenu*>(watched))
            item = m->activeAction() ? m->activeAction() : m->menuAction();
        else if (auto* b = qobject_cast<QMenuBar*>(watched))
            item = b->activeAction();
        if (item) {
            ShowMenuHelp(item);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- toolbar and menus -------------------------------------------------------------------------

void MDIKIN::closeTips()
{
    if (App* a = App::current())
        a->unload<frmTip>();
}

void MDIKIN::Toolbar1_ButtonClick(int Index)
{
    closeTips();
    switch (Index) {
    case 2: mnuNeudat->trigger(); break;
    case 4: mnuLoadLastSession->trigger(); break;
    case 6: mnuLoadProject->trigger(); break;
    case 7: mnuSaveProject->trigger(); break;
    case 14: mnuToolArrhenius->trigger(); break;
    case 16: mnuToolEyring->trigger(); break;
    default: break;
    }
}

void MDIKIN::mnuEdit_Click()
{
    closeTips();
    if (app().declare().AnzahlPunkte > 0 && OpenDataEditor)
        OpenDataEditor();
}

void MDIKIN::mnuEditXY_Click()
{
    if (KinForm* f = app().findForm(names::frmManuInput))
        if (!f->Unload())
            return;
    if (OpenXYEditor)
        OpenXYEditor();
}

void MDIKIN::mnuModel_Click()
{
    closeTips();
    if (KinForm* f = app().findForm(names::frmKinModel))
        f->Show();
    else if (OpenModelWindow)
        OpenModelWindow();
}

void MDIKIN::mnuctGraph_Click() { ModelSimulation(false); }

void MDIKIN::mnuvtGraph_Click() { ModelSimulation(true); }

void MDIKIN::ModelSimulation(bool rates)
{
    App& a = app();
    Declare& d = a.declare();
    // The task windows that compete with the simulation.
    closeTips();
    a.unloadForms(names::kClosedBySimulation);
    d.RateDiagramm = rates;
    d.Arbeitsmodus = TaskMode::Simulation;
    frmPrepareTimeDiagram& setup = a.show<frmPrepareTimeDiagram>();
    setup.chkMitPunkten->setEnabled(!rates);
    // The model window applies the model afresh and relabels the set-up window.
    a.unload<frmKinModel>();
    a.show<frmKinModel>();
    if (setup.isVisible())
        setup.Show();
}

void MDIKIN::mnuOption_Click()
{
    closeTips();
    app().get<frmOption>().ShowModal();
}

void MDIKIN::mnuFenster_Click()
{
    closeTips();
    fillWindowList();
}

void MDIKIN::fillWindowList()
{
    for (QAction* old : mnuFenster->actions()) {
        mnuFenster->removeAction(old);
        old->deleteLater();
    }
    int n = 0;
    QMdiSubWindow* active = mdiArea_->activeSubWindow();
    for (QMdiSubWindow* sub : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isVisible() || !sub->widget())
            continue;
        ++n;
        QAction* a = mnuFenster->addAction(QString("&%1 %2").arg(n).arg(sub->widget()->windowTitle()));
        a->setObjectName(QString("mnuFenster_window_%1").arg(n));
        a->setCheckable(true);
        a->setChecked(sub == active);
        connect(a, &QAction::triggered, mdiArea_, Guarded([this, sub] { mdiArea_->setActiveSubWindow(sub); }));
    }
    if (n == 0) {
        QAction* none = mnuFenster->addAction("(no open windows)");
        none->setEnabled(false);
    }
}

void MDIKIN::mnuAboutKin_Click() { app().services().showHelp(10260); }

void MDIKIN::mnuIndex_Click() { app().services().showHelp(10270); }

void MDIKIN::mnuTip_Click()
{
    app().declare().TipsPerMenue = true;
    app().show<frmTip>();
}

void MDIKIN::mnuInfo_Click()
{
    const std::string& crlf = app().declare().CRLF;
    const QString nl = QString::fromStdString(crlf.empty() ? std::string("\r\n") : crlf);
    const QString text = "KINHOM-3     Kinetics of Homogeneous Chemical Reactions" + nl + nl +
                         "Simulation and evaluation of the kinetics of homogeneous chemical reactions "
                         "for students, teachers and laboratory chemists." +
                         nl + nl + "Copyright (C) the KINHOM-3 team. All rights reserved." + nl + nl +
                         "Contact: questions, suggestions and error reports are welcome through the "
                         "channel named in the documentation that came with your copy of KINHOM-3.";
    app().services().msgBox(text, MsgButtons::OK, MsgIcon::Information, "Copyright, Contact");
}

void MDIKIN::mnuEdit1_Click()
{
    const bool text = !QGuiApplication::clipboard()->text().isEmpty();
    const bool points = app().declare().AnzahlPunkte >= 1;
    mnuPaste1->setEnabled(text);
    mnuCopy1->setEnabled(points);
    mnuErase1->menuAction()->setEnabled(points);
}

void MDIKIN::mnuEdit2_Click()
{
    const bool text = !QGuiApplication::clipboard()->text().isEmpty();
    const bool points = app().declare().AnzahlXYPunkte >= 1;
    mnuPaste2->setEnabled(text);
    mnuCopy2->setEnabled(points);
    mnuErase2->menuAction()->setEnabled(points);
}

bool MDIKIN::PressButton(const QString& formName, const QString& buttonName)
{
    App* a = App::current();
    KinForm* f = a ? a->findForm(formName) : nullptr;
    if (!f)
        return false;
    auto* button = f->widget()->findChild<QAbstractButton*>(buttonName);
    if (!button)
        return false;
    button->click();
    return true;
}

void MDIKIN::SetAutoProtName(std::string& name)
{
    const std::filesystem::path folder = app().ownFilesFolder();
    std::error_code ec;
    std::filesystem::current_path(folder, ec);
    name = NextProtFileNameToday(folder);
}

// ---- help ------------------------------------------------------------------------------------------

void MDIKIN::ShowWindowHelp()
{
    QMdiSubWindow* sub = mdiArea_->activeSubWindow();
    const auto* form = sub ? dynamic_cast<const KinForm*>(sub->widget()) : nullptr;
    const int id = form ? form->HelpContextID() : 0;
    app().services().showHelp(id ? id : 10270);
}

int MDIKIN::HelpContextID(const QAction* item)
{
    return item ? item->property(kHelpProperty).toInt() : 0;
}

bool MDIKIN::ShowMenuHelp(QAction* item)
{
    // An item without a help id takes the id of the nearest menu above it.
    for (int depth = 0; item && depth < 8; ++depth) {
        if (const int id = HelpContextID(item)) {
            if (App* a = App::current())
                a->services().showHelp(id);
            return true;
        }
        item = qobject_cast<QAction*>(item->property(kParentProperty).value<QObject*>());
    }
    return false;
}

} // namespace kinhom
