#pragma once
// frmProtokoll: the protocol of reactor results. It lists the recorded rows
// (ProtMatrix, one row per "Record result", the 20 values of ProtokollZeile)
// and writes them as a CSV file under ProtDateiName, putting the same text on
// the clipboard, when the user closes the file ("Close file": the next results
// start a new file) or the window (only when rows are unwritten).

#include <filesystem>
#include <string>

#include "ui/shell/kinform.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace kinhom {

class frmProtokoll : public KinWidget {
    Q_OBJECT
public:
    explicit frmProtokoll(QWidget* parent = nullptr);

    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

    // Shows the rows of the protocol table.
    void Refresh();

    void cmdCloseFile_Click();
    void cmdClose_Click();

    // The protocol file with its folder.
    static std::filesystem::path ProtocolFile();

    // Writes the protocol file (header and every recorded row, atomically)
    // and puts its text on the clipboard; ProtDatenVorhanden becomes false. A
    // failure is shown ("message from schreibProtFileAndClose") and leaves the
    // rows unwritten. Works whether or not the window is loaded.
    static bool schreibProtFileAndClose();

    // Before the program ends: writes unwritten rows; when that fails, asks
    // whether to end anyway (false: keep the program running).
    static bool SaveProtocolBeforeExit();

    QTableWidget* grdProtokoll = nullptr;
    QLabel* lblDatei = nullptr;
    QPushButton* cmdCloseFile = nullptr;
    QPushButton* cmdClose = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

public:
    int HelpContextID() const override { return 10630; }
};

} // namespace kinhom
