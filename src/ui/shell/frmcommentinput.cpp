#include "ui/shell/frmcommentinput.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/shell/application.h"
#include "ui/shell/guarded.h"

namespace kinhom {

frmCommentInput::frmCommentInput(QWidget* parent) : KinDialog(parent)
{
    setObjectName("frmCommentInput");
    setWindowTitle(" File Comment for Project (optional)");

    Label1 = new QLabel("Input of a comment text", this);
    Label1->setObjectName("Label1");
    Label2 = new QLabel("<Cancel> = no comment text", this);
    Label2->setObjectName("Label2");
    txtDatComm = new QLineEdit(this);
    txtDatComm->setObjectName("txtDatComm");
    txtDatComm->setMinimumWidth(TwipsToPixels(6000));
    txtDatComm->installEventFilter(this);
    cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdAbort = new QPushButton("Cancel", this);
    cmdAbort->setObjectName("cmdAbort");
    // Return in the box presses OK (eventFilter); neither button is a default
    // button, so Return never presses Cancel.
    for (QPushButton* b : {cmdOK, cmdAbort}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdAbort);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(txtDatComm);
    layout->addWidget(Label2);
    layout->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, Guarded([this] { cmdOK_Click(); }));
    connect(cmdAbort, &QPushButton::clicked, this, Guarded([this] { cmdAbort_Click(); }));
}

void frmCommentInput::Form_Load()
{
    txtDatComm->setText(QString::fromStdString(app().declare().ProjektKommentar));
    txtDatComm->selectAll();
}

void frmCommentInput::cmdOK_Click()
{
    app().declare().ProjektKommentar = txtDatComm->text().toStdString();
    Unload();
}

void frmCommentInput::cmdAbort_Click()
{
    app().declare().ProjektKommentar.clear();
    Unload();
}

void frmCommentInput::reject() { cmdAbort->click(); }

bool frmCommentInput::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtDatComm && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            cmdOK->click();
            return true;
        }
    }
    return KinDialog::eventFilter(watched, event);
}

} // namespace kinhom
