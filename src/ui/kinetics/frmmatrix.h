#pragma once
// frmmatrix ("Stoichiometric Matrix"): the stoichiometric coefficients of the
// current model as a table of species (rows A, B, C, P, Q; E, S, ES, P for the
// enzyme model) by reaction (columns 1 to 3). Opened by the model window's
// "Show stoichiometric matrix"; the model window unloads and re-shows it after
// every model choice, so it has no refresh of its own.

#include <array>

#include "ui/shell/kinform.h"

class QFrame;
class QLabel;
class QPushButton;

namespace kinhom {

class frmmatrix : public KinWidget {
    Q_OBJECT
public:
    explicit frmmatrix(QWidget* parent = nullptr);

    void Form_Load() override;
    void Close_Click();

    // The text of one coefficient row: the coefficients of reactions 1 to 3 in
    // the number-to-text form, 16 blanks between them.
    static QString RowText(float r1, float r2, float r3);

    QFrame* FrameMatrix = nullptr;
    QLabel* Label1 = nullptr;    // "Subst."
    QLabel* Label3 = nullptr;    // "Reaction"
    QLabel* Label2 = nullptr;    // column heads
    QLabel* Label10 = nullptr;   // the model line
    std::array<QLabel*, 9> RowLabel{}; // Label4..Label8 at indices 4..8 (species of rows 1 to 5)
    QLabel* lblA = nullptr;
    QLabel* lblB = nullptr;
    QLabel* lblC = nullptr;
    QLabel* lblP = nullptr;
    QLabel* lblQ = nullptr;
    QPushButton* Close = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace kinhom
