#pragma once
// frmSimTabelle ("Result of the Calculation"): the last simulation run as a
// fixed-pitch text table (concentrations, rates or the Michaelis-Menten
// rates), shown modally by the simulation set-up window. The user may edit
// the text, copy it to the clipboard, print it or save it as a text file;
// every resize builds the table anew from the simulated courses and so
// discards edits.

#include <QString>

#include "ui/shell/kinform.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kinhom {

class frmSimTabelle : public KinDialog {
    Q_OBJECT
public:
    explicit frmSimTabelle(QWidget* parent = nullptr);

    void Form_Load() override;
    void Form_Resize() override;
    void txtSimTabelle_Change();
    void cmdClipboard_Click();
    void cmdSaveTable_Click();
    void cmdPrint_Click();
    void cmdCloseSimTab_Click();
    // Esc presses "Close <Esc>".
    void reject() override;

    // The table text (lines joined by CR LF), kept equal to the box contents.
    const QString& tableText() const { return tableText_; }

    QPlainTextEdit* txtSimTabelle = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* cmdClipboard = nullptr;
    QPushButton* cmdSaveTable = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdCloseSimTab = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTable();

    QString tableText_;
    bool filling_ = false;
};

} // namespace kinhom
