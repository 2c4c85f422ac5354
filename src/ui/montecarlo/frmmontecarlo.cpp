#include "ui/montecarlo/frmmontecarlo.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/shell/numtext.h"
#include "ui/chart/chartview.h"
#include "ui/kinetics/inputkeys.h"
#include "ui/shell/application.h"
#include "ui/shell/formnames.h"
#include "ui/shell/guarded.h"
#include "ui/shell/qtext.h"

namespace kinhom {

namespace {

// The shortest time between two steps, so that even without a delay the
// field and the chart are seen to change and the window stays responsive.
constexpr int kMinStepMs = 40;


// A whole number typed in a box, or -1 when the box holds none.
int WholeNumber(const QLineEdit* box)
{
    const double v = ReadNumber(box->text());
    if (!std::isfinite(v) || v != std::floor(v) || std::fabs(v) > 1e9)
        return -1;
    return int(v);
}

} // namespace

// ---- the particle field ------------------------------------------------------------------------

ParticleFieldView::ParticleFieldView(QWidget* parent) : QWidget(parent)
{
    setObjectName("picFeld");
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
}

void ParticleFieldView::setLook(const Look& look)
{
    look_ = look;
    update();
}

void ParticleFieldView::setField(const ParticleField* field, bool flash)
{
    field_ = field;
    flash_ = flash;
    update();
}

std::vector<QPointF> ParticleFieldView::particleCentres() const
{
    std::vector<QPointF> centres;
    if (!field_ || field_->size() == 0)
        return centres;
    // Rows that span the whole field, with about square cells.
    const double w = std::max(1, width() - 8), h = std::max(1, height() - 8);
    const FieldLayout layout = LayOutField(field_->size(), w / h);
    centres.reserve(std::size_t(field_->size()));
    for (int row = 0; row < layout.rows; ++row) {
        const int first = FieldRowStart(layout, row), length = FieldRowStart(layout, row + 1) - first;
        for (int k = 0; k < length; ++k)
            centres.emplace_back(4 + (k + 0.5) * w / length, 4 + (row + 0.5) * h / layout.rows);
    }
    return centres;
}

void ParticleFieldView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(160, 160, 160));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!field_ || field_->size() == 0)
        return;

    const int n = field_->size();
    const std::vector<QPointF> centres = particleCentres();
    const double d = std::max(1, look_.size);

    std::vector<bool> changed;
    if (flash_) {
        changed.assign(std::size_t(n), false);
        for (int i : field_->ChangedLastStep())
            changed[std::size_t(i)] = true;
    }
    for (int i = 0; i < n; ++i) {
        const QPointF& c = centres[std::size_t(i)];
        const QColor colour = field_->state(i) == ParticleField::A ? look_.colourA : look_.colourP;
        if (flash_ && changed[std::size_t(i)]) {
            // A particle that has just changed lights up: larger, with a halo.
            p.setPen(QPen(QColor(255, 200, 0), 2));
            p.setBrush(colour);
            p.drawEllipse(c, d, d);
            continue;
        }
        p.setPen(QPen(colour, 1));
        p.setBrush(look_.solid ? QBrush(colour) : Qt::NoBrush);
        p.drawEllipse(c, d / 2, d / 2);
    }
}

// ---- the window ----------------------------------------------------------------------------------

frmMonteCarlo::frmMonteCarlo(QWidget* parent) : KinWidget(parent)
{
    setObjectName(names::frmMonteCarlo);
    setWindowTitle("Monte-Carlo Simulation");

    lblTitel = new QLabel(this);
    lblTitel->setObjectName("lblTitel");
    QFont bold = lblTitel->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    lblTitel->setFont(bold);

    auto box = [this](const char* name, const QString& text) {
        auto* b = new QLineEdit(text, this);
        b->setObjectName(name);
        b->setFixedWidth(90);
        SelectAllOnFocus(b);
        return b;
    };
    txtAnzahl = box("txtAnzahl", "400");
    txtP1 = box("txtP1", "0.05");
    txtP2 = box("txtP2", "0.05");
    txtSchritte = box("txtSchritte", "100");
    txtAnzahl->setToolTip("Number of particles N (1 to 10000)");
    txtP1->setToolTip("Probability that an A particle turns into P in one step (0 < p1 < 1)");
    txtP2->setToolTip("Probability that a P particle turns back into A in one step (0 < p2 < 1)");
    txtSchritte->setToolTip("Number of steps of one run");
    lblP2 = new QLabel("p2 (P => A):", this);
    lblP2->setObjectName("lblP2");

    auto* fraEingabe = new QGroupBox("Settings", this);
    fraEingabe->setObjectName("fraEingabe");
    auto* form = new QGridLayout(fraEingabe);
    form->addWidget(new QLabel("particles N:", fraEingabe), 0, 0);
    form->addWidget(txtAnzahl, 0, 1);
    form->addWidget(new QLabel("p1 (A => P):", fraEingabe), 1, 0);
    form->addWidget(txtP1, 1, 1);
    form->addWidget(lblP2, 2, 0);
    form->addWidget(txtP2, 2, 1);
    form->addWidget(new QLabel("steps:", fraEingabe), 3, 0);
    form->addWidget(txtSchritte, 3, 1);

    auto label = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(name);
        l->setMinimumWidth(120);
        return l;
    };
    lblSchritt = label("lblSchritt");
    lblNA = label("lblNA");
    lblNP = label("lblNP");
    auto* fraStand = new QGroupBox("Current state", this);
    fraStand->setObjectName("fraStand");
    auto* counts = new QVBoxLayout(fraStand);
    counts->addWidget(lblSchritt);
    counts->addWidget(lblNA);
    counts->addWidget(lblNP);

    auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        return b;
    };
    cmdStart = button("cmdStart", "St&art");
    cmdStop = button("cmdStop", "S&top");
    cmdRefresh = button(names::cmdRefresh, "Re&fresh");
    cmdClose = button("cmdClose", "Close <Esc>");
    cmdRefresh->setToolTip("Apply the options (delay, particle size, colours) to this window");
    cmdStop->setEnabled(false);
    connect(cmdStart, &QPushButton::clicked, this, Guarded([this] { cmdStart_Click(); }));
    connect(cmdStop, &QPushButton::clicked, this, Guarded([this] { cmdStop_Click(); }));
    connect(cmdRefresh, &QPushButton::clicked, this, Guarded([this] { cmdRefresh_Click(); }));
    connect(cmdClose, &QPushButton::clicked, this, Guarded([this] { cmdClose_Click(); }));

    picFeld = new ParticleFieldView(this);
    Chart2D1 = new ChartView(this);
    Chart2D1->setObjectName("Chart2D1");
    Chart2D1->setMinimumSize(420, 360);

    tmrSchritt = new QTimer(this);
    tmrSchritt->setObjectName("tmrSchritt");
    connect(tmrSchritt, &QTimer::timeout, this, Guarded([this] { tick(); }));

    auto* side = new QVBoxLayout;
    side->addWidget(fraEingabe);
    side->addWidget(fraStand);
    side->addStretch(1);
    side->addWidget(cmdStart);
    side->addWidget(cmdStop);
    side->addWidget(cmdRefresh);
    side->addSpacing(12);
    side->addWidget(cmdClose);

    auto* body = new QHBoxLayout;
    body->addLayout(side);
    body->addWidget(picFeld, 2);
    body->addWidget(Chart2D1, 3);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblTitel);
    layout->addLayout(body, 1);

    setTabOrder(txtAnzahl, txtP1);
    setTabOrder(txtP1, txtP2);
    setTabOrder(txtP2, txtSchritte);
    setTabOrder(txtSchritte, cmdStart);
    setTabOrder(cmdStart, cmdStop);
    setTabOrder(cmdStop, cmdRefresh);
    setTabOrder(cmdRefresh, cmdClose);
}

frmMonteCarlo::~frmMonteCarlo()
{
    // The field view must not draw a field that is gone.
    tmrSchritt->stop();
    picFeld->setField(nullptr, false);
}

MonteCarloMode frmMonteCarlo::mode() const
{
    return app().declare().MCModus == 2 ? MonteCarloMode::Equilibrium : MonteCarloMode::FirstOrder;
}

void frmMonteCarlo::Form_Load()
{
    const bool equilibrium = mode() == MonteCarloMode::Equilibrium;
    lblTitel->setText(equilibrium ? "Dynamic Reaction Equilibrium A <=> P" : "1st-order reaction A => P");
    lblP2->setVisible(equilibrium);
    txtP2->setVisible(equilibrium);
    if (equilibrium)
        txtP1->setText("0.1");
    resize(1280, 620);

    // The start field: N particles, all A.
    field_ = std::make_unique<ParticleField>(typedSettings(), 0);
    applyOptions();
    setUpChart();
    plotCurrentStep();
    picFeld->setField(field_.get(), false);
    showCounts();
}

void frmMonteCarlo::Form_Unload(int& Cancel)
{
    (void)Cancel;
    tmrSchritt->stop();
}

void frmMonteCarlo::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        cmdClose->click();
        return;
    }
    KinWidget::keyPressEvent(event);
}

MonteCarloSettings frmMonteCarlo::typedSettings() const
{
    MonteCarloSettings s;
    s.mode = mode();
    s.particles = WholeNumber(txtAnzahl);
    s.p1 = ReadNumber(txtP1->text());
    s.p2 = ReadNumber(txtP2->text());
    s.steps = WholeNumber(txtSchritte);
    return s;
}

bool frmMonteCarlo::running() const { return tmrSchritt->isActive(); }

void frmMonteCarlo::applyOptions()
{
    const Declare& d = app().declare();
    ParticleFieldView::Look look;
    look.size = std::max<int>(1, d.Punktgroesse);
    look.colourA = ToQColor(d.FarbeA);
    look.colourP = ToQColor(d.FarbeP);
    look.solid = d.PunkteSolid;
    picFeld->setLook(look);

    Chart2D& c = Chart2D1->chart();
    if (c.ChartGroups(1).Data().NumSeries() >= 4) {
        c.ChartGroups(1).Styles(1).LineStyle().setColor(d.FarbeA);
        c.ChartGroups(1).Styles(2).LineStyle().setColor(d.FarbeP);
        c.ChartGroups(1).Styles(3).LineStyle().setColor(d.FarbeA);
        c.ChartGroups(1).Styles(4).LineStyle().setColor(d.FarbeP);
    }
    // Half of the interval shows the step's flash, the other half ends it.
    const double delay = std::isfinite(d.MCVerzoegerung) ? std::clamp(double(d.MCVerzoegerung), 0.0, 60.0) : 0.0;
    tmrSchritt->setInterval(std::max(kMinStepMs, int(std::lround(delay * 1000.0))) / 2);
}

void frmMonteCarlo::setUpChart()
{
    const MonteCarloSettings& s = field_->settings();
    Chart2D& c = Chart2D1->chart();
    c.setIsBatched(true);
    c.Header().setText(mode() == MonteCarloMode::Equilibrium ? "Monte-Carlo simulation: A <=> P"
                                                               : "Monte-Carlo simulation: A => P");
    c.ChartArea().Axes("X").Title().setText("step n");
    c.ChartArea().Axes("Y").Title().setText("number of particles");
    c.ChartArea().Axes("X").setMin(0);
    c.ChartArea().Axes("X").setMax(std::max(1, s.steps));
    c.ChartArea().Axes("Y").setMin(0);
    c.ChartArea().Axes("Y").setMax(std::max(1, s.particles));

    ChartGroup& g = c.ChartGroups(1);
    g.Data().setNumSeries(4);
    g.SeriesLabels().RemoveAll();
    for (const char* text : {"N(A)", "N(P)", "N(A) expected", "N(P) expected"})
        g.SeriesLabels().Add(text);
    for (int i = 1; i <= 4; ++i) {
        g.Styles(i).LineStyle().setPattern(i <= 2 ? LinePattern::Solid : LinePattern::Dashed);
        g.Styles(i).LineStyle().setWidth(i <= 2 ? 2 : 1);
        g.Styles(i).SymbolStyle().setShape(SymbolShape::None);
    }
    // The expected courses over the whole run.
    std::vector<double> x, a, p;
    for (int n = 0; n <= s.steps; ++n) {
        x.push_back(n);
        a.push_back(ExpectedA(s, n));
        p.push_back(s.particles - a.back());
    }
    g.Data().setPoints(3, x.data(), a.data(), int(x.size()));
    g.Data().setPoints(4, x.data(), p.data(), int(x.size()));
    g.Data().setNumPoints(1, 0);
    g.Data().setNumPoints(2, 0);
    applyOptions();
    c.setIsBatched(false);
}

void frmMonteCarlo::plotCurrentStep()
{
    ChartData& data = Chart2D1->chart().ChartGroups(1).Data();
    const int n = field_->StepNumber();
    data.setIsBatched(true);
    for (int s : {1, 2}) {
        data.setNumPoints(s, n + 1);
        data.setX(s, n + 1, n);
        data.setY(s, n + 1, s == 1 ? field_->CountA() : field_->CountP());
    }
    data.setIsBatched(false);
}

void frmMonteCarlo::showCounts()
{
    lblSchritt->setText(QString("step: %1 of %2").arg(field_->StepNumber()).arg(field_->settings().steps));
    lblNA->setText(QString("N(A) = %1").arg(field_->CountA()));
    lblNP->setText(QString("N(P) = %1").arg(field_->CountP()));
}

void frmMonteCarlo::cmdStart_Click()
{
    const MonteCarloSettings s = typedSettings();
    const std::vector<std::string> faults = CheckMonteCarloSettings(s);
    if (!faults.empty()) {
        std::string text;
        for (const std::string& f : faults)
            text += f + app().declare().CRLF;
        app().services().msgBox(Q(text), MsgButtons::OK, MsgIcon::Critical, "Execution not possible");
        return;
    }
    tmrSchritt->stop();
    const std::uint64_t seed = nextSeed ? *nextSeed : std::random_device{}();
    nextSeed.reset();
    picFeld->setField(nullptr, false);
    field_ = std::make_unique<ParticleField>(s, seed);
    setUpChart();
    plotCurrentStep();
    picFeld->setField(field_.get(), false);
    showCounts();
    flashPhase_ = false;
    cmdStart->setEnabled(false);
    cmdStop->setEnabled(true);
    tmrSchritt->start();
}

void frmMonteCarlo::tick()
{
    if (!field_)
        return;
    if (flashPhase_) {
        // Second half of the step: the flash ends; the run ends after its last step.
        flashPhase_ = false;
        picFeld->setField(field_.get(), false);
        if (field_->finished())
            cmdStop_Click();
        return;
    }
    field_->Step();
    plotCurrentStep();
    picFeld->setField(field_.get(), true);
    showCounts();
    flashPhase_ = true;
}

void frmMonteCarlo::cmdStop_Click()
{
    tmrSchritt->stop();
    flashPhase_ = false;
    if (field_)
        picFeld->setField(field_.get(), false);
    cmdStart->setEnabled(true);
    cmdStop->setEnabled(false);
}

void frmMonteCarlo::cmdRefresh_Click() { applyOptions(); }

void frmMonteCarlo::cmdClose_Click() { Unload(); }

} // namespace kinhom
