#pragma once
// The program's services: message boxes, file, colour and font dialogs, help
// topics, the beep, printing and the mouse pointer. Every window reaches them
// through app().services() and never calls a Qt dialog itself, so the program
// installs the real ones (RealServices) and each test installs RecordingServices,
// which answers from scripted queues and keeps everything that was shown.

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QString>

class QPainter;
class QWidget;

namespace kinhom {

// ---- message boxes ----------------------------------------------------------

enum class MsgIcon { None, Critical, Question, Exclamation, Information };

// The button sets of a message box.
enum class MsgButtons { OK, OKCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };

// The answer of a message box; the values are the classic return codes.
enum class MsgAnswer { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct MessageRequest {
    QString text;
    QString title;                // empty: the program's name is shown
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::OK;
    int defaultButton = 1;        // 1 = first button of the set, 2 = second, 3 = third
};

// The buttons of a set, in the order they are shown.
std::vector<MsgAnswer> ButtonsOf(MsgButtons buttons);
// The answer given by pressing Enter: the default button of the request
// (the first button when defaultButton is outside the set).
MsgAnswer DefaultAnswer(const MessageRequest& request);
// The answer given by Esc or the close box: Cancel where the set has it, No for
// Yes/No, OK for the single OK button, Ignore/Abort as the classic boxes do.
MsgAnswer EscapeAnswer(MsgButtons buttons);

// ---- file dialogs -------------------------------------------------------------

struct FileDialogRequest {
    QString title;
    QString folder;               // initial folder; empty: the current directory
    QString fileName;             // proposed name (bare or with folder)
    // Filter as pairs "Description|pattern|Description|pattern", e.g.
    // "Exp. data file (*.KV3)|*.KV3"; patterns may list several masks with ";".
    QString filter;
    int filterIndex = 1;          // 1-based pair shown first
    QString defaultExtension;     // appended when the chosen name has no extension (".KV3" or "KV3")
    bool overwritePrompt = true;  // save: ask before replacing an existing file
    bool fileMustExist = true;    // open: refuse names that do not exist
};

// What a save dialog gives: the chosen name and the file type chosen in it
// (the 1-based pair of the request's filter).
struct FileChoice {
    QString path;
    int filterIndex = 1;
};

// Turns a filter of description|pattern pairs into Qt's ";;"-separated form.
QString QtFilterFromPairs(const QString& pairs);
// The name with the default extension appended when it has none.
QString WithDefaultExtension(const QString& path, const QString& defaultExtension);

// ---- printing ------------------------------------------------------------------

struct PrintRequest {
    QString documentName;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    bool askPrinter = false;      // show the printer dialog first (Cancel: nothing is printed)
    // Paints page `page` (0-based) on a painter whose device is the page
    // (painter.device() gives its size in device pixels and its resolution).
    // Returns true when another page follows.
    std::function<bool(QPainter& painter, int page)> paint;
};

// ---- mouse pointer ---------------------------------------------------------------

// The pointer codes the program uses (the classic screen pointer values).
constexpr int kPointerDefault = 0;
constexpr int kPointerArrow = 1;
constexpr int kPointerCross = 2;
constexpr int kPointerIBeam = 3;
constexpr int kPointerSizeAll = 5;
constexpr int kPointerHourglass = 11;

// ---- the services ------------------------------------------------------------------

class Services {
public:
    virtual ~Services() = default;

    // A message box; returns the button pressed.
    virtual MsgAnswer msgBox(const MessageRequest& request) = 0;
    MsgAnswer msgBox(const QString& text, MsgButtons buttons = MsgButtons::OK, MsgIcon icon = MsgIcon::None,
                     const QString& title = {}, int defaultButton = 1)
    {
        return msgBox(MessageRequest{text, title, icon, buttons, defaultButton});
    }

    // Save and open dialogs: the chosen full path (and file type), or nothing
    // when cancelled.
    virtual std::optional<FileChoice> saveFile(const FileDialogRequest& request) = 0;
    std::optional<QString> saveFileName(const FileDialogRequest& request)
    {
        const std::optional<FileChoice> c = saveFile(request);
        return c ? std::optional<QString>(c->path) : std::nullopt;
    }
    virtual std::optional<QString> openFileName(const FileDialogRequest& request) = 0;

    // Colour and font dialogs: the choice, or nothing when cancelled.
    virtual std::optional<QColor> chooseColor(const QColor& initial, const QString& title = {}) = 0;
    virtual std::optional<QFont> chooseFont(const QFont& initial, const QString& title = {}) = 0;

    // Opens the help topic of a context number in the program's help window.
    virtual void showHelp(int context) = 0;
    // Closes every help window (at exit).
    virtual void closeHelp() = 0;

    virtual void beep() = 0;

    // Prints; false when the printer dialog was cancelled or printing failed.
    virtual bool print(const PrintRequest& request) = 0;

    // The screen's mouse pointer (kPointer... codes), for the busy cursor.
    virtual int mousePointer() = 0;
    virtual void setMousePointer(int pointer) = 0;
};

// Asks for a file to write where the program decides the name's extension:
// the save dialog (its own overwrite prompt off), then finalName turns the
// choice into the name of the file that will be written; when that file
// exists, "<name> already exists." / "Do you want to replace it?" (Yes, No;
// No is the default and shows the dialog again). Nothing when cancelled.
std::optional<FileChoice> AskFileToWrite(Services& services, FileDialogRequest request,
                                         const std::function<QString(const FileChoice&)>& finalName);

// The services of the running program. The help window shows the pages of
// helpFolder (<context>.html); dialogs open over `parent` (may be null).
std::unique_ptr<Services> MakeRealServices(const QString& helpFolder, std::function<QWidget*()> parent);

// Services for tests: every request is kept; answers come from the queues.
// An empty answer queue gives: the box's default button; a cancelled file,
// colour or font dialog; a successful print.
class RecordingServices : public Services {
public:
    // Scripted answers, taken from the front.
    std::deque<MsgAnswer> msgAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    std::deque<int> saveTypeAnswers;          // file types chosen (1-based); empty: the request's
    std::deque<std::optional<QString>> openAnswers;
    std::deque<std::optional<QColor>> colorAnswers;
    std::deque<std::optional<QFont>> fontAnswers;
    std::deque<bool> printAnswers;            // false: the printer dialog is cancelled

    // What was shown.
    std::vector<MessageRequest> messages;
    std::vector<FileDialogRequest> saveRequests;
    std::vector<FileDialogRequest> openRequests;
    std::vector<QColor> colorRequests;
    std::vector<QFont> fontRequests;
    std::vector<int> helpTopics;
    int helpClosed = 0;
    int beeps = 0;
    struct PrintedDocument {
        PrintRequest request;
        std::vector<QImage> pages;            // A4 at 96 dpi, white background
    };
    std::vector<PrintedDocument> printed;
    int pointer = kPointerDefault;
    std::vector<int> pointerHistory;          // every value set, in order

    // Called (when set) with each message box as it is shown, before the answer
    // is taken; lets a test act while a box is "open".
    std::function<void(const MessageRequest&)> onMessage;

    MsgAnswer msgBox(const MessageRequest& request) override;
    using Services::msgBox;
    std::optional<FileChoice> saveFile(const FileDialogRequest& request) override;
    std::optional<QString> openFileName(const FileDialogRequest& request) override;
    std::optional<QColor> chooseColor(const QColor& initial, const QString& title = {}) override;
    std::optional<QFont> chooseFont(const QFont& initial, const QString& title = {}) override;
    void showHelp(int context) override;
    void closeHelp() override;
    void beep() override;
    bool print(const PrintRequest& request) override;
    int mousePointer() override;
    void setMousePointer(int pointer) override;

    // The last message's text (empty when none was shown).
    QString lastMessage() const { return messages.empty() ? QString() : messages.back().text; }
};

} // namespace kinhom
