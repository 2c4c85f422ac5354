#include "ui/shell/frmcmndlg.h"
#include "ui/shell/qtext.h"

#include <filesystem>
#include <system_error>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyle>

#include "core/shell/filenames.h"
#include "core/shell/projectfile.h"
#include "core/shell/utilities.h"
#include "ui/shell/application.h"
#include "ui/shell/guarded.h"

namespace kinhom {

namespace {

// A folder made absolute and clean, without a trailing separator (except "/").
QString CleanFolder(const QString& folder) { return QDir::cleanPath(QDir(folder).absolutePath()); }

constexpr int kPathDisplayWidth = 60;

} // namespace

// ---- FolderList ------------------------------------------------------------------------

FolderList::FolderList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

bool FolderList::setPath(const QString& folder, QString& error)
{
    const QString clean = CleanFolder(folder);
    std::string why;
    ListSubFolders(S(clean), why);
    if (!why.empty()) {
        error = Q(why);
        return false;
    }
    const bool changed = clean != path_;
    path_ = clean;
    refresh();
    if (changed) emit pathChanged();
    return true;
}

void FolderList::refresh()
{
    clear();
    const QIcon icon = style()->standardIcon(QStyle::SP_DirIcon);
    const QString parent = parentFolder();
    if (!parent.isEmpty()) {
        auto* up = new QListWidgetItem(style()->standardIcon(QStyle::SP_FileDialogToParent), "..", this);
        up->setData(Qt::UserRole, parent);
    }
    std::string why;
    for (const std::string& name : ListSubFolders(S(path_), why)) {
        auto* item = new QListWidgetItem(icon, Q(name), this);
        item->setData(Qt::UserRole, Q(JoinFolderName(S(path_), name)));
    }
    clearSelection();
    setCurrentRow(-1);
}

QString FolderList::highlightedFolder() const
{
    const QList<QListWidgetItem*> items = selectedItems();
    return items.isEmpty() ? QString() : items.front()->data(Qt::UserRole).toString();
}

QString FolderList::parentFolder() const
{
    QDir dir(path_);
    if (path_.isEmpty() || dir.isRoot()) return QString();
    return CleanFolder(path_ + "/..");
}

// ---- FileList ----------------------------------------------------------------------------

FileList::FileList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

QString FileList::FileName() const
{
    const QList<QListWidgetItem*> items = selectedItems();
    return items.isEmpty() ? QString() : items.front()->text();
}

void FileList::setPath(const QString& folder)
{
    const QString clean = CleanFolder(folder);
    const bool changed = clean != path_;
    path_ = clean;
    refresh();
    if (changed) emit pathChanged();
}

void FileList::setPattern(const QString& pattern)
{
    const bool changed = pattern != pattern_;
    pattern_ = pattern;
    refresh();
    if (changed) emit patternChanged();
}

bool FileList::selectFile(const QString& name)
{
    for (int i = 0; i < count(); ++i) {
        if (item(i)->text() == name) {
            setCurrentRow(i);
            item(i)->setSelected(true);
            return true;
        }
    }
    return false;
}

void FileList::refresh()
{
    clear();
    if (path_.isEmpty()) return;
    std::string why;
    for (const std::string& name : ListMatchingFiles(S(path_), S(pattern_), why)) addItem(Q(name));
}

// ---- frmCmnDlg ----------------------------------------------------------------------------

frmCmnDlg::frmCmnDlg(QWidget* parent) : KinDialog(parent)
{
    setObjectName("frmCmnDlg");
    setWindowTitle("Standard Dialogs");
    setFixedWidth(TwipsToPixels(7116));
    setMinimumHeight(TwipsToPixels(4500));

    pctFileOpen = new QWidget(this);
    pctFileOpen->setObjectName("pctFileOpen");

    Label1 = new QLabel("Path:", pctFileOpen);
    Label1->setObjectName("Label1");
    lblOpenPath = new QLabel(pctFileOpen);
    lblOpenPath->setObjectName("lblOpenPath");
    lblOpenFile = new QLabel("Filename:", pctFileOpen);
    lblOpenFile->setObjectName("lblOpenFile");
    txtOpenFile = new QLineEdit(pctFileOpen);
    txtOpenFile->setObjectName("txtOpenFile");
    drvOpenList = new QComboBox(pctFileOpen);
    drvOpenList->setObjectName("drvOpenList");
    drvOpenList->setToolTip("Places");
    dirOpenList = new FolderList(pctFileOpen);
    dirOpenList->setObjectName("dirOpenList");
    filOpenList = new FileList(pctFileOpen);
    filOpenList->setObjectName("filOpenList");
    filOpenList->installEventFilter(this);
    cmdReturn = new QPushButton(" Parent Directory ", pctFileOpen);
    cmdReturn->setObjectName("cmdReturn");
    cmdReturn->setAutoDefault(false);
    cmdOpenOK = new QPushButton("&OK, Load", pctFileOpen);
    cmdOpenOK->setObjectName("cmdOpenOK");
    cmdOpenOK->setDefault(true);
    cmdOpenCancel = new QPushButton("Cancel <Esc>", pctFileOpen);
    cmdOpenCancel->setObjectName("cmdOpenCancel");
    cmdOpenCancel->setAutoDefault(false);
    lblFileComment = new QLabel("File-comment:", pctFileOpen);
    lblFileComment->setObjectName("lblFileComment");
    Text1 = new QLineEdit(pctFileOpen);
    Text1->setObjectName("Text1");
    Text1->setReadOnly(true); // any key typed into the preview is discarded

    setTabOrder(txtOpenFile, filOpenList);
    setTabOrder(filOpenList, dirOpenList);
    setTabOrder(dirOpenList, drvOpenList);
    setTabOrder(drvOpenList, cmdOpenOK);
    setTabOrder(cmdOpenOK, cmdOpenCancel);
    setTabOrder(cmdOpenCancel, cmdReturn);

    connect(dirOpenList, &FolderList::pathChanged, this, Guarded([this] { dirOpenList_Change(); }));
    connect(dirOpenList, &QListWidget::itemActivated, this, Guarded([this](QListWidgetItem* item) {
        QString error;
        if (!dirOpenList->setPath(item->data(Qt::UserRole).toString(), error)) showError(error);
    }));
    connect(drvOpenList, &QComboBox::activated, this, Guarded([this](int) { drvOpenList_Change(); }));
    connect(filOpenList, &FileList::pathChanged, this, Guarded([this] { filOpenList_PathChange(); }));
    // A click or a move with the keys highlights a file and previews it.
    connect(filOpenList, &QListWidget::itemSelectionChanged, this, Guarded([this] { filOpenList_Click(); }));
    connect(filOpenList, &QListWidget::itemDoubleClicked, this, Guarded([this](QListWidgetItem*) { filOpenList_DblClick(); }));
    connect(cmdReturn, &QPushButton::clicked, this, Guarded([this] { cmdReturn_Click(); }));
    connect(cmdOpenOK, &QPushButton::clicked, this, Guarded([this] { cmdOpenOK_Click(); }));
    connect(cmdOpenCancel, &QPushButton::clicked, this, Guarded([this] { cmdOpenCancel_Click(); }));
}

void frmCmnDlg::Form_Load()
{
    Move(20, 216, 7116, 5580);
    lblFileComment->hide();
    Text1->setEnabled(false);

    drvOpenList->clear();
    const QString home = QDir::homePath();
    const QString program = Q(app().declare().ProgrammPfad);
    drvOpenList->addItem(style()->standardIcon(QStyle::SP_DriveHDIcon), "File system  /", QDir::rootPath());
    drvOpenList->addItem(style()->standardIcon(QStyle::SP_DirHomeIcon), "Home folder", home);
    if (!program.isEmpty())
        drvOpenList->addItem(style()->standardIcon(QStyle::SP_ComputerIcon), "Program folder", CleanFolder(program));
    for (int i = 0; i < drvOpenList->count(); ++i)
        drvOpenList->setItemData(i, drvOpenList->itemData(i), Qt::ToolTipRole);

    // The lists open on the current directory (after start-up the folder of the
    // program's own files, where the protocol names are looked up).
    QString error;
    if (!dirOpenList->setPath(QDir::currentPath(), error) && !dirOpenList->setPath(home, error))
        dirOpenList->setPath(QDir::rootPath(), error);
    dirOpenList_Change();
    Form_Resize();
}

void frmCmnDlg::Form_Resize()
{
    const int h = TwipsToPixels(Height());
    const int w = width();
    const int panelHeight = h - TwipsToPixels(300);
    if (panelHeight > 0) pctFileOpen->setGeometry(0, 0, w, panelHeight);

    const int top = TwipsToPixels(340);
    Label1->setGeometry(8, 4, 36, 16);
    lblOpenPath->setGeometry(46, 4, w - 54, 16);
    lblOpenFile->setGeometry(8, top + 3, 60, 16);
    txtOpenFile->setGeometry(70, top, w - 78, 22);

    const int listTop = top + 30;
    const int listHeight = pctFileOpen->height() - TwipsToPixels(2600);
    const int fileWidth = (w - 24) / 2;
    if (listHeight > 0) {
        filOpenList->setGeometry(8, listTop, fileWidth, listHeight);
        const int dirHeight = listHeight - TwipsToPixels(300);
        dirOpenList->setGeometry(16 + fileWidth, listTop, w - 24 - fileWidth, dirHeight);
        drvOpenList->setGeometry(16 + fileWidth, listTop + dirHeight, w - 24 - fileWidth, TwipsToPixels(300));
    }
    const int buttonTop = filOpenList->geometry().bottom() + 8;
    cmdReturn->setGeometry(8, buttonTop, 130, 26);
    cmdOpenOK->setGeometry(w - 8 - 2 * 110 - 6, buttonTop, 110, 26);
    cmdOpenCancel->setGeometry(w - 8 - 110, buttonTop, 110, 26);

    const int textHeight = 22;
    Text1->setGeometry(8, h - textHeight - TwipsToPixels(640), w - 16, textHeight);
    lblFileComment->setGeometry(8, Text1->y() - TwipsToPixels(220), 200, TwipsToPixels(220));
}

void frmCmnDlg::reject() { cmdOpenCancel->click(); }

void frmCmnDlg::showError(const QString& text)
{
    app().services().msgBox(text, MsgButtons::OK, MsgIcon::Critical, windowTitle());
    txtOpenFile->setFocus();
}

void frmCmnDlg::selectPlaceFor(const QString& folder)
{
    int best = -1;
    int bestLength = -1;
    for (int i = 0; i < drvOpenList->count(); ++i) {
        const QString place = drvOpenList->itemData(i).toString();
        const bool inside = folder == place || folder.startsWith(place.endsWith('/') ? place : place + "/");
        if (inside && place.size() > bestLength) {
            best = i;
            bestLength = static_cast<int>(place.size());
        }
    }
    const QSignalBlocker block(drvOpenList);
    drvOpenList->setCurrentIndex(best);
}

// ---- events ------------------------------------------------------------------------------

void frmCmnDlg::dirOpenList_Change()
{
    filOpenList->setPath(dirOpenList->Path());
    lblOpenPath->setText(Q(ShortPathDisplay(S(filOpenList->Path()), kPathDisplayWidth)));
    lblOpenPath->setToolTip(filOpenList->Path());
    txtOpenFile->setText(filOpenList->Pattern());
}

void frmCmnDlg::drvOpenList_Change()
{
    const QString place = drvOpenList->currentData().toString();
    QString error;
    if (!dirOpenList->setPath(place, error)) {
        showError(error);
        selectPlaceFor(dirOpenList->Path());
    }
}

void frmCmnDlg::filOpenList_PathChange()
{
    selectPlaceFor(filOpenList->Path());
    if (dirOpenList->Path() != filOpenList->Path()) {
        QString error;
        if (!dirOpenList->setPath(filOpenList->Path(), error)) showError(error);
    }
}

void frmCmnDlg::filOpenList_Click()
{
    const QString name = filOpenList->FileName();
    if (name.isEmpty()) return;
    txtOpenFile->setText(name);
    Text1->setEnabled(false);
    Text1->clear();
    lblFileComment->hide();
    // The preview reads into its own text: the data comment and the project
    // comment in memory are not touched.
    const std::string full = JoinFolderName(S(filOpenList->Path()), S(name));
    if (EndsWithNoCase(S(name), "KV3")) {
        std::string line;
        if (ReadFirstLine(full, line)) {
            lblFileComment->setText("File-comment:");
            lblFileComment->show();
            Text1->setEnabled(true);
            Text1->setText(Q(line));
        }
    } else if (EndsWithNoCase(S(name), "KC3")) {
        cmdOpenOK->setEnabled(true);
        std::string comment;
        std::string error;
        if (GetProjectComment(full, comment, error)) {
            lblFileComment->setText("Project comment");
            lblFileComment->show();
            Text1->setEnabled(true);
            Text1->setText(Q(comment));
        } else {
            app().services().msgBox(Q(error), MsgButtons::OK, MsgIcon::Critical, "ERROR");
        }
    }
}

void frmCmnDlg::filOpenList_DblClick() { accept_(); }

void frmCmnDlg::accept_()
{
    txtOpenFile->setFocus();
    cmdOpenCancelTag = "FALSE";
    done(QDialog::Accepted);
}

void frmCmnDlg::filOpenList_KeyDelete()
{
    const QString name = filOpenList->FileName();
    if (name.isEmpty()) return;
    const MsgAnswer answer = app().services().msgBox("File " + name + "really delete?", MsgButtons::YesNo,
                                                     MsgIcon::Question, "Confirm deleting");
    if (answer != MsgAnswer::Yes) return;
    std::error_code ec;
    std::filesystem::remove(std::filesystem::path(JoinFolderName(S(filOpenList->Path()), S(name))), ec);
    if (ec) showError(Q(ec.message()) + " (" + name + ")");
    filOpenList->refresh();
    Text1->clear();
    Text1->setEnabled(false);
    lblFileComment->hide();
}

void frmCmnDlg::cmdReturn_Click()
{
    const QString parent = dirOpenList->parentFolder();
    if (parent.isEmpty()) return;
    dirOpenList->setFocus();
    QString error;
    if (!dirOpenList->setPath(parent, error)) showError(error);
}

void frmCmnDlg::cmdOpenCancel_Click()
{
    if (txtOpenFile->isVisible()) txtOpenFile->setFocus();
    done(QDialog::Rejected);
}

bool frmCmnDlg::applyFileName(const QString& text)
{
    const QString folderPart = Q(FolderPart(S(text)));
    const QString namePart = Q(FileNameOnly(S(text)));
    if (!folderPart.isEmpty()) {
        const QString target = QDir::isAbsolutePath(folderPart) ? folderPart : filOpenList->Path() + "/" + folderPart;
        QString error;
        if (!dirOpenList->setPath(target, error)) {
            showError(error);
            return false;
        }
        // The name box keeps only the name: the folder is now the lists' folder.
        txtOpenFile->setText(namePart.isEmpty() ? filOpenList->Pattern() : namePart);
    }
    if (namePart.isEmpty()) return true;
    if (HasWildcards(S(namePart))) {
        filOpenList->setPattern(namePart);
        return true;
    }
    if (filOpenList->selectFile(namePart)) {
        txtOpenFile->setText(namePart);
        accept_();
    }
    return true;
}

void frmCmnDlg::cmdOpenOK_Click()
{
    cmdOpenOK->setFocus();
    const QString highlighted = dirOpenList->highlightedFolder();
    if (!highlighted.isEmpty() && highlighted != dirOpenList->Path()) {
        QString error;
        if (!dirOpenList->setPath(highlighted, error)) {
            showError(error);
            return;
        }
    }
    const QString text = txtOpenFile->text().trimmed();
    if (!text.isEmpty() && text == filOpenList->FileName()) {
        accept_();
        return;
    }
    const QString rememberedPattern = filOpenList->Pattern();
    if (!applyFileName(text)) return;
    if (cmdOpenCancelTag == "FALSE") return; // accepted

    const bool onlyFolder = !text.isEmpty() && FileNameOnly(S(text)).empty();
    if (HasWildcards(S(text))) {
        txtOpenFile->setText(filOpenList->Pattern());
        txtOpenFile->setFocus();
    } else if (onlyFolder) {
        txtOpenFile->setFocus();
    } else if (Tag.contains("SAVE") && !text.isEmpty()) {
        accept_();
    } else {
        app().services().msgBox("File not found", MsgButtons::OK, MsgIcon::Critical, windowTitle());
        filOpenList->setPattern(rememberedPattern);
        txtOpenFile->setFocus();
    }
}

bool frmCmnDlg::ReadFirstLine(const std::string& fileName, std::string& line)
{
    return kinhom::ReadFirstLine(fileName, line);
}

bool frmCmnDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == filOpenList && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        filOpenList_KeyDelete();
        return true;
    }
    return KinDialog::eventFilter(watched, event);
}

// ---- ShowOpenDialog -------------------------------------------------------------------------

void ShowOpenDialog(std::string& fileName, std::string& folder, const std::string& pattern,
                    const std::string& title, bool& cancelled, const std::string& mode)
{
    frmCmnDlg& dlg = app().get<frmCmnDlg>();
    dlg.Tag = Q(mode);
    dlg.cmdOpenCancelTag.clear();
    dlg.setWindowTitle(Q(title));
    dlg.filOpenList->setPattern(pattern.empty() ? QStringLiteral("*.*") : Q(pattern));
    if (!folder.empty()) {
        QString ignored; // a folder that no longer exists leaves the lists where they are
        dlg.dirOpenList->setPath(Q(folder), ignored);
    }
    dlg.lblOpenPath->setText(Q(ShortPathDisplay(S(dlg.filOpenList->Path()), kPathDisplayWidth)));
    dlg.txtOpenFile->setText(fileName.empty() ? dlg.filOpenList->Pattern() : Q(fileName));
    dlg.pctFileOpen->setVisible(true);
    dlg.txtOpenFile->setFocus();

    const QPointer<frmCmnDlg> guard(&dlg);
    dlg.ShowModal();
    // The close box unloads the dialog, which may already be gone: that is a cancel.
    if (guard.isNull() || !app().isFormLoaded(&dlg)) {
        cancelled = true;
        return;
    }
    if (dlg.cmdOpenCancelTag == "FALSE") {
        cancelled = false;
        fileName = S(dlg.txtOpenFile->text().trimmed());
        folder = S(dlg.filOpenList->Path());
        dlg.cmdOpenCancelTag.clear();
    } else {
        cancelled = true;
    }
    dlg.Unload();
}

} // namespace kinhom
