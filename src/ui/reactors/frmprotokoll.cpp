#include "ui/reactors/frmprotokoll.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/reactors/protocol.h"
#include "core/shell/numtext.h"
#include "core/shell/textfile.h"
#include "ui/shell/application.h"
#include "ui/shell/formnames.h"
#include "ui/shell/guarded.h"
#include "ui/shell/mdikin.h"
#include "ui/shell/qtext.h"

namespace kinhom {

frmProtokoll::frmProtokoll(QWidget* parent) : KinWidget(parent)
{
    setObjectName(names::frmProtokoll);
    setWindowTitle("Protocol");

    grdProtokoll = new QTableWidget(0, kProtSpalten, this);
    grdProtokoll->setObjectName("grdProtokoll");
    QStringList headers;
    for (const std::string& n : ProtSpaltenNamen()) headers << Q(n);
    grdProtokoll->setHorizontalHeaderLabels(headers);
    grdProtokoll->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdProtokoll->verticalHeader()->setDefaultSectionSize(22);

    lblDatei = new QLabel(this);
    lblDatei->setObjectName("lblDatei");
    cmdCloseFile = new QPushButton("Close file", this);
    cmdCloseFile->setObjectName("cmdCloseFile");
    cmdCloseFile->setToolTip("writes the protocol file, copies it to the clipboard and starts a new file");
    cmdClose = new QPushButton("Close <Esc>", this);
    cmdClose->setObjectName("cmdClose");
    connect(cmdCloseFile, &QPushButton::clicked, this, Guarded([this] { cmdCloseFile_Click(); }));
    connect(cmdClose, &QPushButton::clicked, this, Guarded([this] { cmdClose_Click(); }));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblDatei, 1);
    buttons->addWidget(cmdCloseFile);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->addWidget(grdProtokoll, 1);
    layout->addLayout(buttons);
}

void frmProtokoll::Form_Load()
{
    // Below the reactor windows (they end above 620 pixels), as wide as the
    // columns need.
    Move(60, PixelsToTwips(625), PixelsToTwips(1280), PixelsToTwips(230));
    Refresh();
}

void frmProtokoll::Refresh()
{
    const Declare& d = app().declare();
    grdProtokoll->setRowCount(d.ProtZeilen);
    for (int r = 1; r <= d.ProtZeilen; ++r)
        for (int i = 0; i < kProtSpalten; ++i) {
            const float v = d.ProtMatrix.inRange(i, r) ? d.ProtMatrix(std::size_t(i), std::size_t(r)) : 0.0f;
            auto* item = new QTableWidgetItem(IsProtEmptyField(v) ? QString() : Q(StrSingle(v)));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grdProtokoll->setItem(r - 1, i, item);
        }
    // Every digit stays visible; the table scrolls sideways when it must.
    grdProtokoll->resizeColumnsToContents();
    if (d.ProtZeilen > 0) grdProtokoll->scrollToBottom();
    lblDatei->setText("protocol file: " + Q(ProtocolFile().string()) + (d.ProtDatenVorhanden ? "  (not yet written)" : ""));
}

std::filesystem::path frmProtokoll::ProtocolFile()
{
    App& a = app();
    return ProtDateiPfad(a.declare(), a.ownFilesFolder());
}

bool frmProtokoll::schreibProtFileAndClose()
{
    App& a = app();
    Declare& d = a.declare();
    const std::string dec = App::localeDecimalSign().toStdString();
    const std::string text = ProtCsvText(d, d.Trennzeichen.empty() ? std::string(";") : d.Trennzeichen,
                                         dec.empty() ? '.' : dec[0]);
    std::string error;
    if (!WriteTextFileAtomic(ProtocolFile(), text, error)) {
        a.services().msgBox(Q(error), MsgButtons::OK, MsgIcon::Critical, "message from schreibProtFileAndClose");
        return false;
    }
    if (QClipboard* c = QGuiApplication::clipboard()) c->setText(Q(text));
    d.ProtDatenVorhanden = false;
    return true;
}

bool frmProtokoll::SaveProtocolBeforeExit()
{
    Declare& d = app().declare();
    if (!d.ProtDatenVorhanden || schreibProtFileAndClose()) return true;
    const std::string nl = d.CRLF.empty() ? std::string("\r\n") : d.CRLF;
    return app().services().msgBox(Q("The protocol of the reactor results could not be written." + nl +
                                     "End the program anyway? The recorded results are then lost."),
                                   MsgButtons::YesNo, MsgIcon::Exclamation, "WARNING") == MsgAnswer::Yes;
}

void frmProtokoll::cmdCloseFile_Click()
{
    Declare& d = app().declare();
    if (d.ProtZeilen == 0) return;
    if (!schreibProtFileAndClose()) return;
    const std::filesystem::path written = ProtocolFile();
    ProtLeeren(d);
    app().mainWindow().SetAutoProtName(d.ProtDateiName);
    Refresh();
    lblDatei->setText("written: " + Q(written.string()) + " (also on the clipboard);  next file: " +
                      Q(d.ProtDateiName));
}

void frmProtokoll::Form_Unload(int& Cancel)
{
    (void)Cancel;
    // Closing the window writes what is not yet written; a failure has been
    // shown and the rows stay in memory for the next try.
    if (app().declare().ProtDatenVorhanden) schreibProtFileAndClose();
}

void frmProtokoll::cmdClose_Click() { Unload(); }

void frmProtokoll::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        cmdClose->click();
        return;
    }
    if (event->key() == Qt::Key_F1) {
        app().services().showHelp(HelpContextID());
        return;
    }
    KinWidget::keyPressEvent(event);
}

} // namespace kinhom
