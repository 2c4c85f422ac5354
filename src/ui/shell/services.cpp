#include "ui/shell/services.h"

#include <algorithm>

#include <QApplication>
#include <QColorDialog>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QPageSize>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include "ui/shell/helpwindow.h"

namespace kinhom {

// ---- helpers -------------------------------------------------------------------------

std::vector<MsgAnswer> ButtonsOf(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::OK: return {MsgAnswer::OK};
    case MsgButtons::OKCancel: return {MsgAnswer::OK, MsgAnswer::Cancel};
    case MsgButtons::AbortRetryIgnore: return {MsgAnswer::Abort, MsgAnswer::Retry, MsgAnswer::Ignore};
    case MsgButtons::YesNoCancel: return {MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Cancel};
    case MsgButtons::YesNo: return {MsgAnswer::Yes, MsgAnswer::No};
    case MsgButtons::RetryCancel: return {MsgAnswer::Retry, MsgAnswer::Cancel};
    }
    return {MsgAnswer::OK};
}

MsgAnswer DefaultAnswer(const MessageRequest& request)
{
    const auto set = ButtonsOf(request.buttons);
    const int i = request.defaultButton - 1;
    if (i >= 0 && i < int(set.size()))
        return set[std::size_t(i)];
    return set.front();
}

MsgAnswer EscapeAnswer(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::OK: return MsgAnswer::OK;
    case MsgButtons::YesNo: return MsgAnswer::No;
    case MsgButtons::AbortRetryIgnore: return MsgAnswer::Abort;
    default: return MsgAnswer::Cancel;
    }
}

QString QtFilterFromPairs(const QString& pairs)
{
    if (pairs.isEmpty())
        return {};
    const QStringList parts = pairs.split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        patterns = patterns.simplified();
        // Qt shows the patterns in the parentheses of the description; a
        // description that already lists them is kept as it stands.
        if (description.contains('(') && description.endsWith(')'))
            filters << description.left(description.lastIndexOf('(')).trimmed() + " (" + patterns + ")";
        else
            filters << description + " (" + patterns + ")";
    }
    if (parts.size() % 2 == 1 && !parts.back().isEmpty())
        filters << parts.back();
    return filters.join(";;");
}

QString WithDefaultExtension(const QString& path, const QString& defaultExtension)
{
    if (path.isEmpty() || defaultExtension.isEmpty())
        return path;
    if (!QFileInfo(path).suffix().isEmpty())
        return path;
    QString ext = defaultExtension;
    if (!ext.startsWith('.'))
        ext.prepend('.');
    return path + ext;
}

std::optional<FileChoice> AskFileToWrite(Services& services, FileDialogRequest request,
                                         const std::function<QString(const FileChoice&)>& finalName)
{
    const bool ask = request.overwritePrompt;
    request.overwritePrompt = false;
    for (;;) {
        std::optional<FileChoice> choice = services.saveFile(request);
        if (!choice || choice->path.isEmpty())
            return std::nullopt;
        choice->path = finalName(*choice);
        if (!ask || !QFileInfo::exists(choice->path))
            return choice;
        const QString text = QFileInfo(choice->path).fileName() + " already exists.\r\nDo you want to replace it?";
        if (services.msgBox(text, MsgButtons::YesNo, MsgIcon::Exclamation, request.title, 2) == MsgAnswer::Yes)
            return choice;
        request.fileName = choice->path;
        request.filterIndex = choice->filterIndex;
    }
}

namespace {

QMessageBox::Icon ToQtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton ToQtButton(MsgAnswer a)
{
    switch (a) {
    case MsgAnswer::OK: return QMessageBox::Ok;
    case MsgAnswer::Cancel: return QMessageBox::Cancel;
    case MsgAnswer::Abort: return QMessageBox::Abort;
    case MsgAnswer::Retry: return QMessageBox::Retry;
    case MsgAnswer::Ignore: return QMessageBox::Ignore;
    case MsgAnswer::Yes: return QMessageBox::Yes;
    case MsgAnswer::No: return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

Qt::CursorShape ToQtCursor(int pointer)
{
    switch (pointer) {
    case kPointerCross: return Qt::CrossCursor;
    case kPointerIBeam: return Qt::IBeamCursor;
    case kPointerSizeAll: return Qt::SizeAllCursor;
    case kPointerHourglass: return Qt::WaitCursor;
    default: return Qt::ArrowCursor;
    }
}

QString ProgramTitle()
{
    const QString name = QApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("KINHOM-3") : name;
}

class RealServices : public Services {
public:
    RealServices(QString helpFolder, std::function<QWidget*()> parent)
        : helpFolder_(std::move(helpFolder)), parent_(std::move(parent))
    {
    }
    ~RealServices() override
    {
        delete help_;
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    }

    using Services::msgBox;
    MsgAnswer msgBox(const MessageRequest& r) override
    {
        QMessageBox box(parentWidget());
        box.setIcon(ToQtIcon(r.icon));
        box.setWindowTitle(r.title.isEmpty() ? ProgramTitle() : r.title);
        box.setText(QString(r.text).replace("\r\n", "\n"));
        const auto set = ButtonsOf(r.buttons);
        for (MsgAnswer a : set)
            box.addButton(ToQtButton(a));
        box.setDefaultButton(ToQtButton(DefaultAnswer(r)));
        box.setEscapeButton(box.button(ToQtButton(EscapeAnswer(r.buttons))));
        box.exec();
        QAbstractButton* clicked = box.clickedButton();
        for (MsgAnswer a : set)
            if (clicked && clicked == box.button(ToQtButton(a)))
                return a;
        return EscapeAnswer(r.buttons);
    }

    std::optional<FileChoice> saveFile(const FileDialogRequest& r) override { return fileDialog(r, true); }
    std::optional<QString> openFileName(const FileDialogRequest& r) override
    {
        const std::optional<FileChoice> c = fileDialog(r, false);
        return c ? std::optional<QString>(c->path) : std::nullopt;
    }

    std::optional<QColor> chooseColor(const QColor& initial, const QString& title) override
    {
        const QColor c = QColorDialog::getColor(initial, parentWidget(), title.isEmpty() ? QStringLiteral("Color") : title);
        if (!c.isValid())
            return std::nullopt;
        return c;
    }

    std::optional<QFont> chooseFont(const QFont& initial, const QString& title) override
    {
        bool ok = false;
        const QFont f = QFontDialog::getFont(&ok, initial, parentWidget(), title.isEmpty() ? QStringLiteral("Font") : title);
        if (!ok)
            return std::nullopt;
        return f;
    }

    void showHelp(int context) override
    {
        if (!help_) {
            help_ = new HelpWindow(helpFolder_);
            // Beside the main window's right edge, where it hides the least.
            if (QWidget* p = parentWidget()) {
                const QRect g = p->frameGeometry();
                help_->move(std::max(g.left(), g.right() - help_->width() - 20), g.top() + 80);
            }
        }
        help_->showTopic(context);
        help_->show();
        help_->raise();
        help_->activateWindow();
    }

    void closeHelp() override
    {
        if (help_)
            help_->close();
    }

    void beep() override { QApplication::beep(); }

    bool print(const PrintRequest& r) override
    {
        if (!r.paint)
            return false;
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(r.documentName);
        printer.setPageOrientation(r.orientation);
        if (r.askPrinter) {
            QPrintDialog dialog(&printer, parentWidget());
            if (dialog.exec() != QDialog::Accepted)
                return false;
        }
        QPainter painter;
        if (!painter.begin(&printer))
            return false;
        for (int page = 0; page < 10000; ++page) {
            if (!r.paint(painter, page))
                break;
            if (!printer.newPage())
                break;
        }
        return painter.end();
    }

    int mousePointer() override { return pointer_; }

    void setMousePointer(int pointer) override
    {
        pointer_ = pointer;
        if (pointer == kPointerDefault) {
            while (QApplication::overrideCursor())
                QApplication::restoreOverrideCursor();
            return;
        }
        const QCursor cursor(ToQtCursor(pointer));
        if (QApplication::overrideCursor())
            QApplication::changeOverrideCursor(cursor);
        else
            QApplication::setOverrideCursor(cursor);
    }

private:
    QWidget* parentWidget() const { return parent_ ? parent_() : nullptr; }

    std::optional<FileChoice> fileDialog(const FileDialogRequest& r, bool save)
    {
        QFileDialog dialog(parentWidget(), r.title);
        dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(save || !r.fileMustExist ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        if (!r.overwritePrompt)
            dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        if (!r.folder.isEmpty())
            dialog.setDirectory(r.folder);
        const QStringList filters = QtFilterFromPairs(r.filter).split(";;", Qt::SkipEmptyParts);
        if (!filters.isEmpty()) {
            dialog.setNameFilters(filters);
            const int i = r.filterIndex - 1;
            dialog.selectNameFilter(filters[i >= 0 && i < filters.size() ? i : 0]);
        }
        QString ext = r.defaultExtension;
        if (ext.startsWith('.'))
            ext.remove(0, 1);
        if (!ext.isEmpty())
            dialog.setDefaultSuffix(ext);
        // A proposed name with wildcards is a pattern, not a file to write.
        if (IsWildcardName(r.fileName))
            dialog.setNameFilter(r.fileName);
        else if (!r.fileName.isEmpty())
            dialog.selectFile(r.fileName);
        for (;;) {
            if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
                return std::nullopt;
            const QString chosen = dialog.selectedFiles().front();
            const QString name = QFileInfo(chosen).fileName();
            if (!IsWildcardName(name))
                return FileChoice{chosen, int(filters.indexOf(dialog.selectedNameFilter())) + 1};
            // A pattern typed into the name box filters the list; ask again.
            dialog.setNameFilter(name);
            dialog.selectFile(QString());
        }
    }

    static bool IsWildcardName(const QString& name)
    {
        return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
    }

    QString helpFolder_;
    std::function<QWidget*()> parent_;
    QPointer<HelpWindow> help_;
    int pointer_ = kPointerDefault;
};

} // namespace

std::unique_ptr<Services> MakeRealServices(const QString& helpFolder, std::function<QWidget*()> parent)
{
    return std::make_unique<RealServices>(helpFolder, std::move(parent));
}

// ---- recording services --------------------------------------------------------------

namespace {
template <class T>
std::optional<T> TakeFront(std::deque<std::optional<T>>& queue)
{
    if (queue.empty())
        return std::nullopt;
    if (!queue.front().has_value()) {
        queue.pop_front();
        return std::nullopt;
    }
    T v = *queue.front();
    queue.pop_front();
    return std::optional<T>(std::move(v));
}
} // namespace

MsgAnswer RecordingServices::msgBox(const MessageRequest& request)
{
    messages.push_back(request);
    if (onMessage)
        onMessage(request);
    if (msgAnswers.empty())
        return DefaultAnswer(request);
    const MsgAnswer a = msgAnswers.front();
    msgAnswers.pop_front();
    return a;
}

std::optional<FileChoice> RecordingServices::saveFile(const FileDialogRequest& request)
{
    saveRequests.push_back(request);
    int type = request.filterIndex;
    if (!saveTypeAnswers.empty()) {
        type = saveTypeAnswers.front();
        saveTypeAnswers.pop_front();
    }
    const std::optional<QString> path = TakeFront(saveAnswers);
    return path ? std::optional<FileChoice>(FileChoice{*path, type}) : std::nullopt;
}

std::optional<QString> RecordingServices::openFileName(const FileDialogRequest& request)
{
    openRequests.push_back(request);
    return TakeFront(openAnswers);
}

std::optional<QColor> RecordingServices::chooseColor(const QColor& initial, const QString&)
{
    colorRequests.push_back(initial);
    return TakeFront(colorAnswers);
}

std::optional<QFont> RecordingServices::chooseFont(const QFont& initial, const QString&)
{
    fontRequests.push_back(initial);
    return TakeFront(fontAnswers);
}

void RecordingServices::showHelp(int context) { helpTopics.push_back(context); }

void RecordingServices::closeHelp() { ++helpClosed; }

void RecordingServices::beep() { ++beeps; }

bool RecordingServices::print(const PrintRequest& request)
{
    bool go = true;
    if (!printAnswers.empty()) {
        go = printAnswers.front();
        printAnswers.pop_front();
    }
    if (!go || !request.paint)
        return false;
    PrintedDocument doc;
    doc.request = request;
    // A4 at 96 dots per inch.
    const QSize a4 = request.orientation == QPageLayout::Landscape ? QSize(1123, 794) : QSize(794, 1123);
    for (int page = 0; page < 1000; ++page) {
        QImage image(a4, QImage::Format_RGB32);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        image.fill(Qt::white);
        bool more = false;
        {
            QPainter painter(&image);
            more = request.paint(painter, page);
        }
        doc.pages.push_back(image);
        if (!more)
            break;
    }
    printed.push_back(std::move(doc));
    return true;
}

int RecordingServices::mousePointer() { return pointer; }

void RecordingServices::setMousePointer(int p)
{
    pointer = p;
    pointerHistory.push_back(p);
}

} // namespace kinhom
