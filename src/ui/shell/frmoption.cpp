#include "ui/shell/frmoption.h"

#include <cmath>

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/shell/application.h"
#include "ui/shell/formnames.h"
#include "ui/shell/guarded.h"
#include "ui/shell/mdikin.h"
#include "ui/shell/qtext.h"

namespace kinhom {

frmOption::frmOption(QWidget* parent) : KinDialog(parent)
{
    setObjectName("frmOption");
    setWindowTitle("Options");

    auto* fraMC = new QGroupBox("Monte-Carlo simulation", this);
    fraMC->setObjectName("fraMC");

    txtVerzoegerung = new QDoubleSpinBox(fraMC);
    txtVerzoegerung->setObjectName("txtVerzoegerung");
    txtVerzoegerung->setRange(0.0, 60.0);
    txtVerzoegerung->setDecimals(3);
    txtVerzoegerung->setSingleStep(0.05);
    txtVerzoegerung->setSuffix(" s");

    txtPunktgroesse = new QSpinBox(fraMC);
    txtPunktgroesse->setObjectName("txtPunktgroesse");
    txtPunktgroesse->setRange(1, 40);
    txtPunktgroesse->setSuffix(" px");

    cmdFarbeA = new QPushButton("Colour of A ...", fraMC);
    cmdFarbeA->setObjectName("cmdFarbeA");
    cmdFarbeP = new QPushButton("Colour of P ...", fraMC);
    cmdFarbeP->setObjectName("cmdFarbeP");
    shpFarbeA = new QLabel(fraMC);
    shpFarbeA->setObjectName("shpFarbeA");
    shpFarbeP = new QLabel(fraMC);
    shpFarbeP->setObjectName("shpFarbeP");
    for (QLabel* s : {shpFarbeA, shpFarbeP}) {
        s->setFixedSize(36, 20);
        s->setFrameShape(QFrame::Box);
        s->setAutoFillBackground(true);
    }

    chkPunkteSolid = new QCheckBox("Solid particles", fraMC);
    chkPunkteSolid->setObjectName("chkPunkteSolid");

    auto* rowA = new QHBoxLayout;
    rowA->addWidget(shpFarbeA);
    rowA->addWidget(cmdFarbeA, 1);
    auto* rowP = new QHBoxLayout;
    rowP->addWidget(shpFarbeP);
    rowP->addWidget(cmdFarbeP, 1);

    auto* form = new QFormLayout(fraMC);
    form->addRow("Retardation per step:", txtVerzoegerung);
    form->addRow("Particle size:", txtPunktgroesse);
    form->addRow("Particles A:", rowA);
    form->addRow("Particles P:", rowP);
    form->addRow(QString(), chkPunkteSolid);

    cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton("Cancel", this);
    cmdCancel->setObjectName("cmdCancel");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraMC);
    layout->addLayout(buttons);

    connect(cmdFarbeA, &QPushButton::clicked, this, Guarded([this] { cmdFarbeA_Click(); }));
    connect(cmdFarbeP, &QPushButton::clicked, this, Guarded([this] { cmdFarbeP_Click(); }));
    connect(cmdOK, &QPushButton::clicked, this, Guarded([this] { cmdOK_Click(); }));
    connect(cmdCancel, &QPushButton::clicked, this, Guarded([this] { cmdCancel_Click(); }));
}

void frmOption::Form_Load()
{
    const Declare& d = app().declare();
    txtVerzoegerung->setValue(double(d.MCVerzoegerung));
    shownDelay_ = txtVerzoegerung->value();
    txtPunktgroesse->setValue(d.Punktgroesse);
    chkPunkteSolid->setChecked(d.PunkteSolid);
    farbeA = d.FarbeA;
    farbeP = d.FarbeP;
    showColours();
}

void frmOption::showColours()
{
    for (auto [label, colour] : {std::pair{shpFarbeA, farbeA}, std::pair{shpFarbeP, farbeP}}) {
        QPalette pal = label->palette();
        pal.setColor(QPalette::Window, ToQColor(colour));
        label->setPalette(pal);
    }
}

void frmOption::cmdFarbeA_Click()
{
    if (auto c = app().services().chooseColor(ToQColor(farbeA), "Colour of the A particles")) {
        farbeA = FromQColor(*c);
        showColours();
    }
}

void frmOption::cmdFarbeP_Click()
{
    if (auto c = app().services().chooseColor(ToQColor(farbeP), "Colour of the P particles")) {
        farbeP = FromQColor(*c);
        showColours();
    }
}

void frmOption::cmdOK_Click()
{
    Declare& d = app().declare();
    // The box rounds to milliseconds; a delay the user did not touch is kept exactly.
    if (txtVerzoegerung->value() != shownDelay_)
        d.MCVerzoegerung = float(txtVerzoegerung->value());
    d.Punktgroesse = std::int16_t(txtPunktgroesse->value());
    d.PunkteSolid = chkPunkteSolid->isChecked();
    d.FarbeA = farbeA;
    d.FarbeP = farbeP;
    Unload();
    // An open Monte-Carlo window takes the new settings at once.
    MDIKIN::PressButton(names::frmMonteCarlo, names::cmdRefresh);
}

void frmOption::cmdCancel_Click() { Unload(); }

void frmOption::reject() { cmdCancel->click(); }

} // namespace kinhom
