#include "ui/kinetics/frmgraphcalc.h"

#include <vector>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "core/kinetics/calcattime.h"
#include "core/kinetics/inputrules.h"
#include "core/shell/numtext.h"
#include "core/shell/utilities.h"
#include "ui/kinetics/inputkeys.h"
#include "ui/shell/application.h"
#include "ui/shell/mdikin.h"
#include "ui/shell/guarded.h"

namespace kinhom {

frmGraphCalc::frmGraphCalc(QWidget* parent) : KinWidget(parent)
{
    setObjectName("frmGraphCalc");
    setWindowTitle("Single-Point Calculator");

    lblXEingabe = new QLabel("time specific. t =", this);
    lblXEingabe->setObjectName("lblXEingabe");
    lblXNote = new QLabel(" within range of the diagram ", this);
    lblXNote->setObjectName("lblXNote");
    QFont small = lblXNote->font();
    small.setItalic(true);
    lblXNote->setFont(small);
    txtX = new QLineEdit("0", this);
    txtX->setObjectName("txtX");
    txtX->setFixedWidth(90);
    txtX->installEventFilter(this);
    SelectAllOnFocus(txtX);
    lblZeit = new QLabel(this);
    lblZeit->setObjectName("lblZeit");
    cmdGraphCalcExec = new QPushButton("Calculate", this);
    cmdGraphCalcExec->setObjectName("cmdGraphCalcExec");
    connect(cmdGraphCalcExec, &QPushButton::clicked, this, Guarded([this] { cmdGraphCalcExec_Click(); }));

    auto* input = new QGridLayout;
    input->addWidget(lblXEingabe, 0, 0);
    input->addWidget(txtX, 0, 1);
    input->addWidget(lblZeit, 0, 2);
    input->addWidget(lblXNote, 1, 0, 1, 3);
    input->setColumnStretch(3, 1);

    auto* results = new QGridLayout;
    results->setHorizontalSpacing(10);
    const char* captions[] = {"c(A)", "c(B)", "c(C)", "c(P)", "c(Q)"};
    for (int i = 0; i < 5; ++i) {
        auto* caption = new QLabel(captions[i], this);
        caption->setObjectName(QString("lblRes_%1").arg(i));
        auto* value = new QLabel(this);
        value->setObjectName(QString("lblResult_%1").arg(i));
        value->setFrameShape(QFrame::Panel);
        value->setFrameShadow(QFrame::Sunken);
        value->setMinimumWidth(110);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        lblRes[std::size_t(i)] = caption;
        lblResult[std::size_t(i)] = value;
        results->addWidget(caption, i, 0);
        results->addWidget(value, i, 1);
    }
    results->setColumnStretch(2, 1);

    cmdCloseGraphCalc = new QPushButton("Close", this);
    cmdCloseGraphCalc->setObjectName("cmdCloseGraphCalc");
    connect(cmdCloseGraphCalc, &QPushButton::clicked, this, Guarded([this] { cmdCloseGraphCalc_Click(); }));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdGraphCalcExec);
    buttons->addStretch(1);
    buttons->addWidget(cmdCloseGraphCalc);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(input);
    layout->addSpacing(6);
    layout->addLayout(results);
    layout->addSpacing(6);
    layout->addLayout(buttons);
}

void frmGraphCalc::Form_Load()
{
    App& a = app();
    const Declare& d = a.declare();

    // A fifteenth of the screen height from the top, 250 twips from the right
    // edge of the main window's working area.
    int screenHeight = 768;
    if (QScreen* s = screen())
        screenHeight = s->size().height();
    if (QWidget* f = frame())
        f->resize(f->sizeHint());
    QMdiArea* area = a.mdiArea();
    const int areaWidth = area && area->isVisible() ? area->viewport()->width() : a.mainWindow().width();
    Move(std::max(0, PixelsToTwips(areaWidth) - Width() - 250), PixelsToTwips(screenHeight) / 15);

    txtX->setText("0");
    lblZeit->setText(QString::fromStdString(d.Zeiteinheit));
    if (d.ModellNr == 10)
        for (int i = 1; i <= 3; ++i)
            lblRes[std::size_t(i - 1)]->setText(QString("c(%1)").arg(SpeciesName(10, i)));
    for (int i = 1; i <= 5; ++i) {
        const bool used = SpeciesInUse(d, i);
        lblResult[std::size_t(i - 1)]->setText(QString());
        lblResult[std::size_t(i - 1)]->setVisible(used);
        lblRes[std::size_t(i - 1)]->setVisible(used);
    }
}

void frmGraphCalc::cmdGraphCalcExec_Click()
{
    App& a = app();
    const Declare& d = a.declare();
    const double t = ReadNumber(txtX->text());

    // Only times inside the simulated range 0 to t(max).
    if (ToSingle(t) > d.tEnde || t < 0) {
        a.services().beep();
        return;
    }

    std::vector<double> c(6, 0.0);
    bool failed = false;
    CalcCAtTime(d, d.ModellNr, t, c, failed);
    if (failed) {
        // No value can be given at this time (for example no simulation of
        // this model has been run): the results stay as they were.
        a.services().beep();
        return;
    }
    for (int i = 1; i <= 5; ++i)
        lblResult[std::size_t(i - 1)]->setText(SingleText(c[std::size_t(i)]));

    if (isVisible()) {
        Show();
        txtX->setFocus();
    }
}

void frmGraphCalc::cmdCloseGraphCalc_Click() { Unload(); }

void frmGraphCalc::txtX_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 3 || KeyAscii == 22)
        return;
    if (!NumKeyFilter(KeyAscii)) {
        KeyAscii = 0;
        return;
    }
    if (KeyAscii == 13) {
        KeyAscii = 0;
        cmdGraphCalcExec_Click();
    }
}

bool frmGraphCalc::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtX && event->type() == QEvent::KeyPress) {
        const int key = KeyAsciiOf(static_cast<QKeyEvent*>(event));
        if (key >= 0) {
            int handled = key;
            txtX_KeyPress(handled);
            return FinishKeyPress(txtX, key, handled);
        }
    }
    return KinWidget::eventFilter(watched, event);
}

} // namespace kinhom
