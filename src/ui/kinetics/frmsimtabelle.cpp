#include "ui/kinetics/frmsimtabelle.h"

#include <exception>

#include <QClipboard>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintDevice>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>

#include "core/kinetics/resulttable.h"
#include "core/shell/textfile.h"
#include "ui/shell/application.h"
#include "ui/shell/guarded.h"

namespace kinhom {

namespace {

// The designed client area and the frame around it (caption and borders),
// in twips. The resize rule is given for the outer height of the window.
constexpr int kClientWidth = 8796;
constexpr int kClientHeight = 4644;
constexpr int kFrameHeight = 376;

// Tabs are shown at every eighth column, as the text box of the original
// platform shows them.
constexpr int kTabColumns = 8;

QFont TableFont(double pointSize)
{
    QFont f("Courier New");
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setPointSizeF(pointSize);
    return f;
}

// A line with its Tabs expanded to the next multiple of eight columns.
QString ExpandTabs(const QString& line)
{
    QString out;
    out.reserve(line.size() + 16);
    for (QChar c : line) {
        if (c == '\t') {
            do
                out += ' ';
            while (out.size() % kTabColumns != 0);
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

frmSimTabelle::frmSimTabelle(QWidget* parent) : KinDialog(parent)
{
    setObjectName("frmSimTabelle");
    setWindowTitle("Result of the Calculation");
    // The designed places fit the captions in an 8 point font.
    QFont small = font();
    small.setPointSizeF(8);
    setFont(small);

    txtSimTabelle = new QPlainTextEdit(this);
    txtSimTabelle->setObjectName("txtSimTabelle");
    txtSimTabelle->setFont(TableFont(7.8));
    txtSimTabelle->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtSimTabelle->setTabStopDistance(QFontMetricsF(txtSimTabelle->font()).horizontalAdvance(' ') * kTabColumns);
    txtSimTabelle->setToolTip("Click right: Copy on clipboard");
    txtSimTabelle->setContextMenuPolicy(Qt::NoContextMenu);
    txtSimTabelle->viewport()->installEventFilter(this);
    connect(txtSimTabelle, &QPlainTextEdit::textChanged, this, Guarded([this] { txtSimTabelle_Change(); }));

    Label1 = new QLabel("Results can be copied in an Excel sheet", this);
    Label1->setObjectName("Label1");

    auto button = [this](const char* name, const QString& caption, const QString& tip) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        if (!tip.isEmpty())
            b->setToolTip(tip);
        return b;
    };
    cmdClipboard = button("cmdClipboard", "Copy on Clipboard", "...whole table (or mark and copy) ");
    cmdSaveTable = button("cmdSaveTable", "Write File", " .TXT-file with delimiter \"Tab\" ");
    cmdPrint = button("cmdPrint", "Print Table", QString());
    cmdCloseSimTab = button("cmdCloseSimTab", "Close <Esc>", QString());
    connect(cmdClipboard, &QPushButton::clicked, this, Guarded([this] { cmdClipboard_Click(); }));
    connect(cmdSaveTable, &QPushButton::clicked, this, Guarded([this] { cmdSaveTable_Click(); }));
    connect(cmdPrint, &QPushButton::clicked, this, Guarded([this] { cmdPrint_Click(); }));
    connect(cmdCloseSimTab, &QPushButton::clicked, this, Guarded([this] { cmdCloseSimTab_Click(); }));

    // Fixed places as designed; the resize rule moves them vertically.
    txtSimTabelle->setGeometry(0, 0, TwipsToPixels(8772), TwipsToPixels(3492));
    Label1->setGeometry(TwipsToPixels(120), TwipsToPixels(3600), TwipsToPixels(6492), TwipsToPixels(252));
    const int buttonTop = TwipsToPixels(3960);
    const int buttonHeight = TwipsToPixels(492);
    cmdClipboard->setGeometry(TwipsToPixels(600), buttonTop, TwipsToPixels(1572), buttonHeight);
    cmdSaveTable->setGeometry(TwipsToPixels(2520), buttonTop, TwipsToPixels(1572), buttonHeight);
    cmdPrint->setGeometry(TwipsToPixels(4440), buttonTop, TwipsToPixels(1572), buttonHeight);
    cmdCloseSimTab->setGeometry(TwipsToPixels(6360), buttonTop, TwipsToPixels(1452), buttonHeight);

    // Low enough to keep the buttons apart from the table, never so low that
    // the table's height would vanish.
    setMinimumSize(TwipsToPixels(7900), TwipsToPixels(1124 + 900));
    resize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
}

void frmSimTabelle::Form_Load() { Move(400, 120); }

void frmSimTabelle::Form_Resize()
{
    // From the outer height H: buttons at H - 1060, the note at H - 1420, the
    // table H - 1500 high.
    const int outer = ScaleHeight() + kFrameHeight;
    const int buttonTop = TwipsToPixels(outer - 1060);
    for (QPushButton* b : {cmdClipboard, cmdSaveTable, cmdPrint, cmdCloseSimTab})
        b->move(b->x(), buttonTop);
    Label1->move(Label1->x(), TwipsToPixels(outer - 1420));
    txtSimTabelle->resize(txtSimTabelle->width(), std::max(0, TwipsToPixels(outer - 1500)));

    buildTable();
}

void frmSimTabelle::buildTable()
{
    const Declare& d = app().declare();
    std::string text;
    std::string problem;
    try {
        const QString sign = App::localeDecimalSign();
        text = BuildSimTable(d, sign.isEmpty() ? '.' : sign.at(0).toLatin1());
    } catch (const std::exception& e) {
        problem = e.what();
    }
    tableText_ = QString::fromStdString(text);
    {
        // The box shows the lines with its own line ends.
        filling_ = true;
        QString shown = tableText_;
        shown.replace("\r\n", "\n");
        txtSimTabelle->setPlainText(shown);
        filling_ = false;
    }
    if (!problem.empty())
        app().services().msgBox(QString::fromStdString(problem), MsgButtons::OK, MsgIcon::Critical,
                                "Execution not possible");
}

void frmSimTabelle::txtSimTabelle_Change()
{
    if (filling_)
        return;
    QString text = txtSimTabelle->toPlainText();
    text.replace("\n", "\r\n");
    tableText_ = text;
}

void frmSimTabelle::cmdClipboard_Click()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(tableText_);
}

void frmSimTabelle::cmdSaveTable_Click()
{
    App& a = app();
    Declare& d = a.declare();

    FileDialogRequest request;
    request.title = "Save table as ...";
    request.folder = QString::fromStdString(a.fileFolders().userFiles);
    request.fileName = QString::fromStdString(d.TabelleDateiTitel);
    request.filter = "Text (*.TXT)|*.TXT";
    request.defaultExtension = ".TXT";
    request.overwritePrompt = true;
    request.fileMustExist = false;
    const std::optional<QString> chosen = a.services().saveFileName(request);
    if (!chosen || chosen->isEmpty())
        return;
    const QString path = WithDefaultExtension(*chosen, request.defaultExtension);

    d.TabelleDateiTitel = QFileInfo(path).fileName().toStdString();
    const qsizetype cut = std::max(path.lastIndexOf('/'), path.lastIndexOf('\\'));
    d.TabellePfad = cut >= 0 ? path.left(cut + 1).toStdString() : std::string();

    // Written completely to a temporary file first, so a failed write leaves
    // an existing file as it was.
    std::string error;
    if (!WriteTextFileAtomic(std::filesystem::path(path.toStdString()),
                             SimTableFileContent(tableText_.toStdString()), error))
        a.services().msgBox(QString::fromStdString(error), MsgButtons::OK, MsgIcon::Critical,
                            "message from cmdSaveTable");
}

void frmSimTabelle::cmdPrint_Click()
{
    // Courier New 10 point from the top left of the page, one table line per
    // printed line, continued on further pages; no printer dialog.
    const QStringList lines = tableText_.split("\r\n");
    PrintRequest request;
    request.documentName = "Result of the Calculation";
    request.askPrinter = false;
    request.paint = [lines](QPainter& painter, int page) {
        QPaintDevice* device = painter.device();
        const double dpiX = device ? device->logicalDpiX() : 96.0;
        const double dpiY = device ? device->logicalDpiY() : 96.0;
        const double height = device ? device->height() : 1123;
        const double marginX = dpiX * 0.6;  // about 1.5 cm
        const double marginY = dpiY * 0.6;
        QFont font = TableFont(10);
        painter.setFont(font);
        painter.setPen(Qt::black);
        const QFontMetricsF metrics(font, device);
        const double lineHeight = metrics.lineSpacing();
        const int perPage = std::max(1, int((height - 2 * marginY) / lineHeight));
        const int first = page * perPage;
        const int last = std::min(int(lines.size()), first + perPage);
        double y = marginY + metrics.ascent();
        for (int i = first; i < last; ++i) {
            painter.drawText(QPointF(marginX, y), ExpandTabs(lines[i]));
            y += lineHeight;
        }
        return last < int(lines.size());
    };
    if (!app().services().print(request))
        app().services().msgBox("The table could not be printed.", MsgButtons::OK, MsgIcon::Critical,
                                "Print Table");
}

void frmSimTabelle::cmdCloseSimTab_Click() { Unload(); }

void frmSimTabelle::reject() { cmdCloseSimTab->click(); }

bool frmSimTabelle::eventFilter(QObject* watched, QEvent* event)
{
    // A right click on the table copies it to the clipboard.
    if (watched == txtSimTabelle->viewport() && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        cmdClipboard->click();
        return true;
    }
    return KinDialog::eventFilter(watched, event);
}

} // namespace kinhom
