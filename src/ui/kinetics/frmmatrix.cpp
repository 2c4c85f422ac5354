#include "ui/kinetics/frmmatrix.h"

#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/kinetics/inputrules.h"
#include "core/shell/numtext.h"
#include "ui/shell/application.h"
#include "ui/shell/guarded.h"

namespace kinhom {

frmmatrix::frmmatrix(QWidget* parent) : KinWidget(parent)
{
    setObjectName("frmmatrix");
    setWindowTitle("Stoichiometric Matrix");

    // The coefficient rows are aligned under the column heads by blanks, so
    // they are written in a fixed-pitch font.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSizeF(7.5);

    auto label = [](const char* name, const QString& text, QWidget* parent) {
        auto* l = new QLabel(text, parent);
        l->setObjectName(name);
        return l;
    };

    Label10 = label("Label10", QString(), this);
    QFont bold = Label10->font();
    bold.setBold(true);
    Label10->setFont(bold);

    FrameMatrix = new QFrame(this);
    FrameMatrix->setObjectName("FrameMatrix");
    FrameMatrix->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(FrameMatrix);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    Label1 = label("Label1", "Subst.", FrameMatrix);
    Label3 = label("Label3", "Reaction", FrameMatrix);
    Label2 = label("Label2", "(1)               (2)               (3)", FrameMatrix);
    Label2->setFont(fixed);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Label3, 0, 1, Qt::AlignHCenter);
    grid->addWidget(Label2, 1, 1);

    auto* line = new QFrame(FrameMatrix);
    line->setObjectName("Line1");
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    grid->addWidget(line, 2, 0, 1, 2);

    const char* rowNames[] = {"lblA", "lblB", "lblC", "lblP", "lblQ"};
    QLabel** rows[] = {&lblA, &lblB, &lblC, &lblP, &lblQ};
    for (int i = 0; i < 5; ++i) {
        QLabel* species = label(QString("Label%1").arg(i + 4).toLatin1().constData(), QString(), FrameMatrix);
        species->setFont(bold);
        RowLabel[std::size_t(i + 4)] = species;
        *rows[i] = label(rowNames[i], QString(), FrameMatrix);
        (*rows[i])->setFont(fixed);
        grid->addWidget(species, 3 + i, 0, Qt::AlignHCenter);
        grid->addWidget(*rows[i], 3 + i, 1);
    }
    auto* vline = new QFrame(FrameMatrix);
    vline->setObjectName("Line2");
    vline->setFrameShape(QFrame::VLine);
    vline->setFrameShadow(QFrame::Sunken);
    grid->addWidget(vline, 0, 2, 8, 1);
    grid->setColumnStretch(3, 1);

    Close = new QPushButton("Close <Esc>", this);
    Close->setObjectName("Close");
    connect(Close, &QPushButton::clicked, this, Guarded([this] { Close_Click(); }));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->addWidget(Label10);
    layout->addWidget(FrameMatrix, 1);
    layout->addWidget(Close, 0, Qt::AlignRight);
}

QString frmmatrix::RowText(float r1, float r2, float r3)
{
    const QString gap(16, ' ');
    return QString::fromStdString(StrSingle(r1)) + gap + QString::fromStdString(StrSingle(r2)) + gap +
           QString::fromStdString(StrSingle(r3));
}

void frmmatrix::Form_Load()
{
    const Declare& d = app().declare();

    const int model = d.ModellNr;
    Label10->setText(QString::fromStdString(ModelNameWithOrder(d)));

    QLabel* rows[] = {lblA, lblB, lblC, lblP, lblQ};
    for (int i = 1; i <= 5; ++i) {
        RowLabel[std::size_t(i + 3)]->setText(SpeciesName(model, i));
        rows[i - 1]->setText(RowText(d.Stoechiometrie(i, 1), d.Stoechiometrie(i, 2), d.Stoechiometrie(i, 3)));
    }

    // 4260 twips high, 3720 wide, at the left edge 600 twips from the top; a
    // row with longer coefficients (the order of model 20) widens the window
    // so that its third column is not cut off. Sized after the rows are
    // written, since they decide the width (the frame's new minimum reaches
    // the window's layout only through updateGeometry).
    FrameMatrix->updateGeometry();
    updateGeometry();
    const QSize need = frame()->minimumSizeHint();
    Move(0, 600, std::max(3720, PixelsToTwips(need.width())), std::max(4260, PixelsToTwips(need.height())));
}

void frmmatrix::Close_Click() { Unload(); }

void frmmatrix::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        Close->click();
        return;
    }
    KinWidget::keyPressEvent(event);
}

} // namespace kinhom
