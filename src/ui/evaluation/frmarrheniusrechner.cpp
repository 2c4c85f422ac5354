#include "ui/evaluation/frmarrheniusrechner.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/evaluation/arrhenius.h"
#include "core/shell/error.h"
#include "core/shell/fieldline.h"
#include "core/shell/numtext.h"
#include "core/shell/utilities.h"
#include "ui/kinetics/inputkeys.h"
#include "ui/shell/application.h"
#include "ui/shell/formnames.h"
#include "ui/shell/guarded.h"
#include "ui/shell/qtext.h"

namespace kinhom {

namespace {

QLineEdit* NumberBox(QWidget* parent, const QString& name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setFixedWidth(130);
    SelectAllOnFocus(box);
    InstallKeyPress(box, [](int& KeyAscii) {
        if (!NumKeyFilter(KeyAscii)) KeyAscii = 0;
    });
    return box;
}

// The number in a box ("," read as "."); a KinError naming the box otherwise.
double BoxNumber(const QLineEdit* box, const QString& caption)
{
    std::string text = S(box->text());
    for (char& ch : text)
        if (ch == ',') ch = '.';
    double v = 0;
    std::string why;
    if (!ParseDoubleField(text, v, why))
        throw KinError("Please enter a number for " + S(caption) + " (" + why + ").");
    return v;
}

} // namespace

frmArrheniusRechner::frmArrheniusRechner(QWidget* parent) : KinWidget(parent)
{
    setObjectName(names::frmArrheniusRechner);
    setWindowTitle("ARRHENIUS Calculator");

    lblFormel = new QLabel(this);
    lblFormel->setObjectName("lblFormel");
    QFont bold = lblFormel->font();
    bold.setBold(true);
    lblFormel->setFont(bold);
    lblQuelle = new QLabel(this);
    lblQuelle->setObjectName("lblQuelle");
    lblQuelle->setWordWrap(true);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    for (int i = 0; i < 2; ++i) {
        lblPar[i] = new QLabel(this);
        lblPar[i]->setObjectName(QString("lblPar_%1").arg(i));
        txtPar[i] = NumberBox(this, QString("txtPar_%1").arg(i));
        lblPar[i]->setBuddy(txtPar[i]);
        lblParUnit[i] = new QLabel(this);
        lblParUnit[i]->setObjectName(QString("lblParUnit_%1").arg(i));
        grid->addWidget(lblPar[i], i, 0);
        grid->addWidget(txtPar[i], i, 1);
        grid->addWidget(lblParUnit[i], i, 2);
        connect(txtPar[i], &QLineEdit::textChanged, this, Guarded([this, i] { storeParameter(i); }));
    }
    lblT = new QLabel("&Temperature T =", this);
    lblT->setObjectName("lblT");
    txtT = NumberBox(this, "txtT");
    txtT->setText("298.15");
    lblT->setBuddy(txtT);
    lblTUnit = new QLabel("K", this);
    lblTUnit->setObjectName("lblTUnit");
    grid->addWidget(lblT, 2, 0);
    grid->addWidget(txtT, 2, 1);
    grid->addWidget(lblTUnit, 2, 2);

    lblKCaption = new QLabel("Rate constant k =", this);
    lblKCaption->setObjectName("lblKCaption");
    lblK = new QLabel(this);
    lblK->setObjectName("lblK");
    lblK->setFrameShape(QFrame::Panel);
    lblK->setFrameShadow(QFrame::Sunken);
    lblK->setFixedWidth(130);
    lblK->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cmbkTZeiteinheit = new QComboBox(this);
    cmbkTZeiteinheit->setObjectName("cmbkTZeiteinheit");
    cmbkTZeiteinheit->setToolTip("Time unit of k");
    for (int i = 0; i < kTimeUnitCount; ++i) cmbkTZeiteinheit->addItem(Q("1/" + TimeUnitText(i)));
    grid->addWidget(lblKCaption, 3, 0);
    grid->addWidget(lblK, 3, 1);
    grid->addWidget(cmbkTZeiteinheit, 3, 2);
    grid->setColumnStretch(3, 1);

    cmdCalculate = new QPushButton("Calc&ulate", this);
    cmdCalculate->setObjectName("cmdCalculate");
    cmdCalculate->setDefault(true);
    cmdClose = new QPushButton("Close", this);
    cmdClose->setObjectName("cmdClose");
    cmdClose->setToolTip("Close the calculator <Esc>");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdCalculate);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(lblFormel);
    layout->addWidget(lblQuelle);
    layout->addSpacing(6);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    // Enter in a box calculates.
    for (QLineEdit* box : {txtPar[0], txtPar[1], txtT})
        connect(box, &QLineEdit::returnPressed, cmdCalculate, &QPushButton::click);
    connect(cmdCalculate, &QPushButton::clicked, this, Guarded([this] { cmdCalculate_Click(); }));
    connect(cmdClose, &QPushButton::clicked, this, Guarded([this] { cmdClose_Click(); }));
    connect(cmbkTZeiteinheit, &QComboBox::currentIndexChanged, this, Guarded([this] { cmbkTZeiteinheit_Click(); }));
    QWidget* const order[] = {txtPar[0], txtPar[1], txtT, cmbkTZeiteinheit, cmdCalculate, cmdClose};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

bool frmArrheniusRechner::eyring() const { return app().declare().kTFunktion == 2; }

void frmArrheniusRechner::Form_Load()
{
    const Declare& d = app().declare();
    showing_ = true;
    cmbkTZeiteinheit->setCurrentIndex(d.kTZeiteinheit < kTimeUnitCount ? d.kTZeiteinheit : 0);
    showing_ = false;
    Form_Activate();
    if (QWidget* f = frame()) f->resize(f->sizeHint().expandedTo(QSize(430, 0)));
    Move(300, 300);
    txtPar[0]->setFocus();
}

void frmArrheniusRechner::Form_Activate()
{
    const Declare& d = app().declare();
    const bool e = eyring();
    setWindowTitle(e ? "EYRING Calculator" : "ARRHENIUS Calculator");
    lblFormel->setText(e ? "k = (kB T / h) exp(\u0394S\u2021 / R) exp(-\u0394H\u2021 / (R T))"
                         : "k = A exp(-EA / (R T))");
    lblPar[0]->setText(e ? "Activation &enthalpy \u0394H\u2021 =" : "Activation &energy EA =");
    lblPar[1]->setText(e ? "Activation e&ntropy \u0394S\u2021 =" : "&Factor A =");
    lblParUnit[0]->setText("kJ/mol");
    lblParUnit[1]->setText(e ? "J/(mol K)" : "1/s");
    lblQuelle->setText(d.Arbeitsmodus == TaskMode::NonIsothermalFirstOrder ||
                               d.Arbeitsmodus == TaskMode::NonIsothermalSecondOrder
                           ? "The parameters of the last non-isothermal fit are shown; they can be changed."
                           : "Enter the parameters and the temperature, then press Calculate.");
    showing_ = true;
    const double p0 = e ? d.hAkt : d.ArrheniusEA;
    const double p1 = e ? d.sAkt : d.ArrheniusA;
    txtPar[0]->setText(Q(GenDouble(p0 / 1000.0)));
    txtPar[1]->setText(Q(GenDouble(p1)));
    showing_ = false;
}

void frmArrheniusRechner::storeParameter(int index)
{
    if (showing_) return;
    lblK->clear();
    Declare& d = app().declare();
    std::string text = S(txtPar[index]->text());
    for (char& ch : text)
        if (ch == ',') ch = '.';
    double v = 0;
    std::string why;
    if (!ParseDoubleField(text, v, why)) return; // kept until it is a number
    if (index == 0) (eyring() ? d.hAkt : d.ArrheniusEA) = v * 1000.0;
    else (eyring() ? d.sAkt : d.ArrheniusA) = v;
}

void frmArrheniusRechner::cmdCalculate_Click()
{
    App& a = app();
    const Declare& d = a.declare();
    lblK->clear();
    try {
        const double p0 = BoxNumber(txtPar[0], lblPar[0]->text().remove('&'));
        const double p1 = BoxNumber(txtPar[1], lblPar[1]->text().remove('&'));
        const double T = BoxNumber(txtT, "T");
        const double kSeconds = eyring() ? EyringK(p0 * 1000.0, p1, T) : ArrheniusK(p1, p0 * 1000.0, T);
        const double k = KInTimeUnit(d, kSeconds, cmbkTZeiteinheit->currentIndex());
        lblK->setText(Q(KText(k)));
    } catch (const KinError& e) {
        a.services().msgBox(Q(e.description()), MsgButtons::OK, MsgIcon::Exclamation, windowTitle());
    }
}

void frmArrheniusRechner::cmbkTZeiteinheit_Click()
{
    if (showing_) return;
    const int i = cmbkTZeiteinheit->currentIndex();
    if (i < 0) return;
    app().declare().kTZeiteinheit = static_cast<std::uint8_t>(i);
    if (!lblK->text().isEmpty()) cmdCalculate_Click();
}

void frmArrheniusRechner::cmdClose_Click() { Unload(); }

void frmArrheniusRechner::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        cmdClose->click();
        return;
    }
    KinWidget::keyPressEvent(event);
}

} // namespace kinhom
