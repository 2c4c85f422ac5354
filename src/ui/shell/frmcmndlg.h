#pragma once
// The program's own open dialog for data and project files: a list of places
// (file-system root, home, program folder) in place of drives, a folder list,
// a file list filtered by a pattern, a name box that also takes patterns and
// folders, a preview of the highlighted file's comment (.KV3 data comment,
// .KC3 project comment), and deleting a file with the Delete key.
//
// ShowOpenDialog runs it modally and returns the chosen bare name and folder.
// The dialog's tag holds its mode: "Open", or a text containing "SAVE", in
// which a name that does not exist yet is accepted. The tag of cmdOpenCancel
// holds the result: "FALSE" when a file was accepted.

#include <string>

#include <QListWidget>

#include "ui/shell/kinform.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kinhom {

// The folder list: the parent entry ".." and the sub-folders of Path().
// A single click highlights an entry; a double click or Enter moves into it.
class FolderList : public QListWidget {
    Q_OBJECT
public:
    explicit FolderList(QWidget* parent = nullptr);
    const QString& Path() const { return path_; }
    // Moves to folder (made absolute and clean); false, with the reason in
    // error, when it cannot be listed: the list then stays where it was.
    bool setPath(const QString& folder, QString& error);
    // The folder of the highlighted entry, or "" when none is highlighted.
    QString highlightedFolder() const;
    // The folder of the parent entry ("" at the root).
    QString parentFolder() const;
    void refresh();

signals:
    void pathChanged();

private:
    QString path_;
};

// The file list: the files of Path() whose names match Pattern().
class FileList : public QListWidget {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);
    const QString& Path() const { return path_; }
    const QString& Pattern() const { return pattern_; }
    // The highlighted file's name ("" when none).
    QString FileName() const;
    void setPath(const QString& folder);
    void setPattern(const QString& pattern);
    // Highlights the file of that name; false when the list does not hold it.
    bool selectFile(const QString& name);
    void refresh();

signals:
    void pathChanged();
    void patternChanged();

private:
    QString path_;
    QString pattern_ = QStringLiteral("*.*");
};

class frmCmnDlg : public KinDialog {
    Q_OBJECT
public:
    explicit frmCmnDlg(QWidget* parent = nullptr);

    void Form_Load() override;
    void Form_Resize() override;
    void reject() override;

    // ---- handlers ------------------------------------------------------------------
    void dirOpenList_Change();
    void drvOpenList_Change();
    void filOpenList_PathChange();
    void filOpenList_Click();
    void filOpenList_DblClick();
    void filOpenList_KeyDelete();
    void cmdReturn_Click();
    void cmdOpenOK_Click();
    void cmdOpenCancel_Click();

    // Reads the first line of a file (the comment of a data file); false on
    // any error, which shows nothing.
    static bool ReadFirstLine(const std::string& fileName, std::string& line);

    // ---- the dialog's state ----------------------------------------------------------
    QString Tag;            // "Open" or a mode containing "SAVE"
    QString cmdOpenCancelTag; // "FALSE" after acceptance

    // ---- controls (objectName = control name) -----------------------------------------
    QWidget* pctFileOpen = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblOpenPath = nullptr;
    QLabel* lblOpenFile = nullptr;
    QLineEdit* txtOpenFile = nullptr;
    QComboBox* drvOpenList = nullptr;
    FolderList* dirOpenList = nullptr;
    FileList* filOpenList = nullptr;
    QPushButton* cmdReturn = nullptr;
    QPushButton* cmdOpenOK = nullptr;
    QPushButton* cmdOpenCancel = nullptr;
    QLabel* lblFileComment = nullptr;
    QLineEdit* Text1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void accept_();
    void showError(const QString& text);
    // Applies the name box's text to the file list as its file name: a folder
    // part moves the lists, a pattern becomes the list's pattern, the name of a
    // listed file is accepted. False when a folder could not be reached.
    bool applyFileName(const QString& text);
    void selectPlaceFor(const QString& folder);
};

// Runs the open dialog modally. fileName is the proposed name (it is shown as
// given, bare or with its folder); folder is the folder to open (an empty or
// missing one leaves the dialog on the current directory); pattern "" means
// "*.*". On acceptance fileName becomes the chosen bare name and folder the
// file list's folder, and cancelled is false; on cancel both stay as passed.
// mode is the dialog's tag ("Open", or a text containing "SAVE").
void ShowOpenDialog(std::string& fileName, std::string& folder, const std::string& pattern,
                    const std::string& title, bool& cancelled, const std::string& mode = "Open");

} // namespace kinhom
