#include "ui/shell/helpwindow.h"
#include "ui/shell/guarded.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace kinhom {

QString HelpWindow::TopicFile(const QString& helpFolder, int context)
{
    return QDir(helpFolder).filePath(QString::number(context) + ".html");
}

HelpWindow::HelpWindow(const QString& helpFolder, QWidget* parent) : QWidget(parent, Qt::Window), folder_(helpFolder)
{
    setObjectName("HelpWindow");
    setWindowTitle("KINHOM-3 Help");
    resize(640, 560);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName("txtHelp");
    browser_->setOpenExternalLinks(false);
    browser_->setSearchPaths({folder_});

    auto* cmdContents = new QPushButton("&Contents", this);
    cmdContents->setObjectName("cmdContents");
    cmdBack_ = new QPushButton("&Back", this);
    cmdBack_->setObjectName("cmdBack");
    cmdForward_ = new QPushButton("&Forward", this);
    cmdForward_->setObjectName("cmdForward");
    auto* cmdClose = new QPushButton("Close", this);
    cmdClose->setObjectName("cmdClose");
    cmdBack_->setEnabled(false);
    cmdForward_->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdContents);
    buttons->addWidget(cmdBack_);
    buttons->addWidget(cmdForward_);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);

    connect(cmdContents, &QPushButton::clicked, this, Guarded([this] { showTopic(kHelpContents); }));
    connect(cmdBack_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(cmdForward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(browser_, &QTextBrowser::backwardAvailable, cmdBack_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, cmdForward_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, Guarded([this](const QUrl& url) {
        bool ok = false;
        const int n = QFileInfo(url.toLocalFile().isEmpty() ? url.path() : url.toLocalFile()).completeBaseName().toInt(&ok);
        if (ok)
            topic_ = n;
    }));
}

bool HelpWindow::showTopic(int context)
{
    topic_ = context;
    const QString file = TopicFile(folder_, context);
    if (!QFileInfo::exists(file)) {
        browser_->setHtml(QStringLiteral("<h2>Help</h2><p>The help topic %1 was not found in the folder %2.</p>")
                              .arg(context)
                              .arg(QDir::toNativeSeparators(folder_).toHtmlEscaped()));
        return false;
    }
    browser_->setSource(QUrl::fromLocalFile(file));
    return true;
}

} // namespace kinhom
