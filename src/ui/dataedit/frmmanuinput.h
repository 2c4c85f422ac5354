#pragma once
// frmManuInput: the XY curve point editor (modeless). A grid of x, y and an
// exclude cell; curve point files (.XY, .LRG) are loaded and saved (.XY); a
// value box with four buttons adds, subtracts, multiplies or divides the
// marked x or y cells; the Draw button hands the active points to the chart
// window as a curve of their own.
//
//   app().mainWindow().mnuEditXY_Click();   // unloads it and opens it afresh
//
// The editor starts from the points it held before (XYPunkte,
// AnzahlXYPunkte), the last file name (XYDateiName) and that file's title
// line (XYTitel); every change is stored back at once. It enables the main
// window's pop-up items mnuCopy2 and mnuErase2 while it holds points, and a
// right click on its grid pops up mnuEdit2, whose items press its buttons
// cmdClipboard, cmdClipEinfuegen, cmdEraseSelected ("marked cell(s) => 0")
// and cmdErase ("remove marked line(s)").

#include <array>
#include <string>
#include <vector>

#include "core/dataedit/manuinput.h"
#include "ui/shell/kinform.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kinhom {

class DataGrid;

class frmManuInput : public KinWidget {
    Q_OBJECT
public:
    explicit frmManuInput(QWidget* parent = nullptr);

    void Form_Load() override;
    int HelpContextID() const override { return 10330; }
    void Form_Unload(int& Cancel) override;

    void cmdLoad_Click();
    void cmdSave_Click();
    // The value operations on the marked x or y cells.
    void cmdRechnen_Click(ValueOp op);
    // Hands the active points to the chart window and presses its cmdManuKurve.
    void cmdZeichnen_Click();
    // Copies the marked cells (all points when nothing is marked) to the clipboard.
    void cmdClipboard_Click();
    // Pastes the clipboard's rows from the current cell on.
    void cmdClipEinfuegen_Click();
    // Sets the marked cells to 0 (an exclude cell becomes active); "No
    // marked item!" without a mark. Rows go only through cmdErase.
    void cmdEraseSelected_Click();
    // Deletes the marked lines after a question titled "WARNING" ("Delete
    // all lines?" when every line is marked); "No marked item!" without a mark.
    void cmdErase_Click();
    void cmdClose_Click();

    // The points as the grid holds them (from index 0).
    std::vector<KurvenPunkt> points() const;

    DataGrid* Grid = nullptr;
    QLabel* lblDatei = nullptr;
    QPushButton* cmdLoad = nullptr;
    QPushButton* cmdSave = nullptr;
    QLabel* lblWert = nullptr;
    QLineEdit* txtWert = nullptr;
    std::array<QPushButton*, 4> cmdRechnen{}; // + - * / (ValueOp order)
    QPushButton* cmdZeichnen = nullptr;
    QPushButton* cmdErase = nullptr;
    QPushButton* cmdClose = nullptr;
    // Pressed by the main window's pop-up items (hidden).
    QPushButton* cmdClipboard = nullptr;
    QPushButton* cmdClipEinfuegen = nullptr;
    QPushButton* cmdEraseSelected = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The grid's points into the shared state, the menus and the file caption.
    void gridChanged();
    void showFileName();
    void message(const std::string& text, int icon) const;
};

} // namespace kinhom
