#include "ui/shell/frmtip.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QSettings>
#include <QKeyEvent>
#include <QSvgRenderer>
#include <QPainter>
#include <QPixmap>

#include "ui/shell/application.h"
#include "ui/shell/guarded.h"

namespace kinhom {

const char* const frmTip::kDesignedTipText = "Here KINHOM-3 shows a short hint on how to use it.";
const char* const frmTip::kSettingsGroup = "Options";
const char* const frmTip::kSettingsKey = "Show Tips at Startup";

namespace {

// Places a control at a position and size given in twips.
void Place(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

QPixmap TipPicture(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    const QString file = App::current()
                             ? QDir(QString::fromStdString((App::current()->programFolder() / "icons").string()))
                                   .filePath("tip.svg")
                             : QString();
    if (file.isEmpty() || !QFileInfo::exists(file))
        return pm;
    QSvgRenderer svg(file);
    if (svg.isValid()) {
        QPainter p(&pm);
        svg.render(&p);
    }
    return pm;
}

} // namespace

frmTip::frmTip(QWidget* parent) : KinWidget(parent)
{
    setObjectName("frmTip");
    setWindowTitle("Tips how to handle KINHOM");
    setAutoFillBackground(true);

    imgTip = new QLabel(this);
    imgTip->setObjectName("imgTip");
    Place(imgTip, 120, 180, 600, 600);
    imgTip->setPixmap(TipPicture(TwipsToPixels(600)));

    lblTipdesTages = new QLabel("Tip of the Day", this);
    lblTipdesTages->setObjectName("lblTipdesTages");
    QFont bold = lblTipdesTages->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    lblTipdesTages->setFont(bold);
    Place(lblTipdesTages, 900, 180, 4800, 360);

    lblTipText = new QLabel(kDesignedTipText, this);
    lblTipText->setObjectName("lblTipText");
    QFont arial("Arial");
    arial.setPointSizeF(lblTipText->font().pointSizeF() * 1.1);
    lblTipText->setFont(arial);
    lblTipText->setWordWrap(true);
    lblTipText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblTipText->setFrameShape(QFrame::StyledPanel);
    lblTipText->setMargin(6);
    lblTipText->setStyleSheet("QLabel#lblTipText { background: #fffbe6; color: black; }");
    Place(lblTipText, 900, 600, 5100, 1920);

    chkLoadTipsAtStartup = new QCheckBox("Show tips at startup", this);
    chkLoadTipsAtStartup->setObjectName("chkLoadTipsAtStartup");
    Place(chkLoadTipsAtStartup, 120, 2640, 3000, 300);

    cmdOK = new QPushButton("Close <Esc>", this);
    cmdOK->setObjectName("cmdOK");
    Place(cmdOK, 4440, 3060, 1560, 420);

    cmdNextTip = new QPushButton("&Next tip", this);
    cmdNextTip->setObjectName("cmdNextTip");
    Place(cmdNextTip, 2700, 3060, 1560, 420);

    cmdTipsZeigen = new QPushButton("Show Tips", this);
    cmdTipsZeigen->setObjectName("cmdTipsZeigen");
    Place(cmdTipsZeigen, 2700, 3060, 1560, 420);

    setMinimumSize(TwipsToPixels(6120), TwipsToPixels(3600));

    connect(cmdOK, &QPushButton::clicked, this, Guarded([this] { cmdOK_Click(); }));
    connect(cmdNextTip, &QPushButton::clicked, this, Guarded([this] { cmdNextTip_Click(); }));
    connect(cmdTipsZeigen, &QPushButton::clicked, this, Guarded([this] { cmdTipsZeigen_Click(); }));
    connect(chkLoadTipsAtStartup, &QCheckBox::toggled, this, Guarded([this] { chkLoadTipsAtStartup_Click(); }));
}

void frmTip::keyPressEvent(QKeyEvent* event)
{
    // Esc presses "Close <Esc>".
    if (event->key() == Qt::Key_Escape) {
        cmdOK->click();
        return;
    }
    KinWidget::keyPressEvent(event);
}

void frmTip::Form_Load()
{
    Declare& d = app().declare();

    // Width 6240 twips, a quarter of the screen from its top left corner.
    int screenW = 1024 * kTwipsPerPixel;
    int screenH = 768 * kTwipsPerPixel;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        screenW = PixelsToTwips(screen->size().width());
        screenH = PixelsToTwips(screen->size().height());
    }
    Move(screenW / 4, screenH / 4, 6240, 4200);

    // The two buttons share the place left of "Close <Esc>".
    cmdTipsZeigen->move(TwipsToPixels(1700), cmdOK->y());
    cmdNextTip->move(TwipsToPixels(1700), cmdOK->y());

    TipFileName = QString::fromStdString(kinhom::TipFileName(d.EnglischeVersion));

    d.KeineTipsBeimStart = false;
    cmdNextTip->show();
    lblTipdesTages->show();

    if (SwitchedOffAtStartup()) {
        d.KeineTipsBeimStart = true;
        return;
    }

    // Ticking the box runs its handler, which stores "1".
    chkLoadTipsAtStartup->setChecked(true);
    cmdTipsZeigen_Click();
}

bool frmTip::SwitchedOffAtStartup()
{
    auto settings = app().settings();
    settings->beginGroup(kSettingsGroup);
    const bool present = settings->contains(kSettingsKey);
    const QString stored = settings->value(kSettingsKey).toString();
    settings->endGroup();
    return !TipsShowAtStartup(present, stored.toStdString()) && !app().declare().TipsPerMenue;
}

bool frmTip::visibleOnLoad() const
{
    App* a = App::current();
    return !(a && a->declare().KeineTipsBeimStart);
}

void frmTip::cmdTipsZeigen_Click()
{
    Declare& d = app().declare();
    cmdNextTip->show();
    cmdOK->show();
    lblTipdesTages->show();
    cmdTipsZeigen->hide();
    QPalette pal = lblTipText->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    lblTipText->setPalette(pal);

    const std::filesystem::path file = app().programFolder() / TipFileName.toStdString();
    if (!LoadTips(state_, file))
        lblTipText->setText(QString::fromStdString(TipsFileNotFoundText(TipFileName.toStdString(), d.CRLF)));

    state_.CurrentTip = RandomTipNumber(QRandomGenerator::global()->generateDouble(), int(state_.TipList.size()));
    DisplayCurrentTip();
}

void frmTip::DoNextTip()
{
    kinhom::DoNextTip(state_);
    DisplayCurrentTip();
}

void frmTip::DisplayCurrentTip()
{
    if (const std::string* tip = CurrentTipText(state_))
        lblTipText->setText(QString::fromStdString(*tip));
}

void frmTip::cmdNextTip_Click()
{
    DoNextTip();
    lblTipdesTages->hide();
}

void frmTip::cmdOK_Click() { Unload(); }

void frmTip::chkLoadTipsAtStartup_Click()
{
    auto settings = app().settings();
    settings->beginGroup(kSettingsGroup);
    settings->setValue(kSettingsKey, chkLoadTipsAtStartup->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    settings->endGroup();
    settings->sync();
}

} // namespace kinhom
