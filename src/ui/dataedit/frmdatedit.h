#pragma once
// frmDatedit: the editor of the measured data (c-t, c-t-T, lambda-t and k-T
// points), a child window of the main window. It shows the shared point table
// in a grid, one row per point (number, t, c(A) to c(Q), lambda, T, k and the
// exclude cell), with the data set's comment, lambda(t = infin.), file name
// and time unit above it.
//
// Every column is shown whatever the task, so that any kind of data can be
// typed in for any evaluation.
//
// Every change the user makes goes straight into the shared table (ExpPunkte,
// AnzahlPunkte) and marks the data changed, so Save and Exit see it at once,
// and tells the rest of the program what the data now hold (the data kinds,
// the start concentrations and the menu items that depend on them), so an
// evaluation chosen while the editor is open sees the table as it is shown.
// OK does the same and closes the editor.
//
// The main window's pop-up mnuEdit1 presses the edit buttons cmdClipboard,
// cmdClipEinfuegen, cmdEraseSelected and cmdErase; the model window rewrites
// the grid after a change of the time unit (frmKinModel::RefreshDatenGrid).

#include <array>

#include "core/dataedit/gridtable.h"
#include "ui/shell/kinform.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidgetItem;

namespace kinhom {

class DataGrid;
struct ExpPunkt;

class frmDatedit : public KinWidget {
    Q_OBJECT
public:
    // The grid's columns.
    enum Column { colNr, colT, colA, colB, colC, colP, colQ, colLambda, colTemp, colK, colExclude, kColumns };

    explicit frmDatedit(QWidget* parent = nullptr);

    void Form_Load() override;
    int HelpContextID() const override { return 10100; }
    void Form_Unload(int& Cancel) override;
    // The column captions lblKopf_0 to lblKopf_10 are the grid's headers.
    bool SetNamedCaption(const QString& name, const QString& text) override;

    // ---- handlers -------------------------------------------------------------------
    void cmdLoad_Click();
    void cmdAppend_Click();
    void cmdSave_Click();
    void cmdOK_Click();
    void cmdSort_Click();
    void cmdClipboard_Click();
    void cmdClipEinfuegen_Click();
    void cmdEraseSelected_Click();
    void cmdErase_Click();
    void optZeit_Click(int Index);
    void txtKommentar_Change();
    void txtLambdaUnendlich_LostFocus();
    // After every change the user made in the grid: the rows go into the table.
    void Grid_Edited();
    // A right click on the grid pops up the main window's mnuEdit1.
    void Grid_MouseDown(const QPoint& globalPos);

    // The grid row of a point (key = its record number).
    static GridRow RowOf(const ExpPunkt& p, int key);
    // Shows the shared state: the fields, the time unit and every point.
    void ShowData();

    // ---- controls (objectName = control name) -------------------------------------------
    DataGrid* Grid = nullptr;
    // Field captions: 0 comment, 1 lambda(t = infin.), 2 the time-unit frame
    // ("Time t/" & unit), 3 file.
    std::array<QWidget*, 4> Bz1{};
    // Column captions, by the index SetUnitLabels uses: 0 to 4 c(A) to c(Q),
    // 5 the time ("  time t/" & unit), 6 lambda, 7 T, 8 k, 9 the number,
    // 10 the exclude cell. They are the grid's header items.
    std::array<QTableWidgetItem*, 11> lblKopf{};
    QLineEdit* txtKommentar = nullptr;
    QLineEdit* txtLambdaUnendlich = nullptr;
    QLineEdit* txtDateiName = nullptr;
    std::array<QRadioButton*, 5> optZeit{};
    QPushButton* cmdLoad = nullptr;
    QPushButton* cmdAppend = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdClipEinfuegen = nullptr;
    QPushButton* cmdErase = nullptr;
    QPushButton* cmdSort = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdClipboard = nullptr;     // invisible
    QPushButton* cmdEraseSelected = nullptr; // invisible
    QLabel* lblHinweis = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Building steps of the window.
    void buildDataSetFields();
    void buildGrid();
    void buildButtons();
    void arrangeWidgets();
    void setTabChain();
    void connectHandlers();

    // The rows of the grid into ExpPunkte and AnzahlPunkte; the data are changed.
    void StoreGrid();
    // Data kinds, start concentrations and the menu items that depend on them.
    void ApplyData();
    // Selects the option of the current time unit without converting anything.
    void ShowTimeUnit();
    void AfterLoad(bool loaded);

    bool showing_ = false; // fields are being filled: no edit
};

} // namespace kinhom
