#include "ui/shell/application.h"

#include <algorithm>
#include <exception>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>

#include "core/evaluation/fitting.h"
#include "core/shell/startup.h"
#include "core/shell/unitlabels.h"
#include "core/shell/utilities.h"
#include "ui/shell/formnames.h"
#include "ui/shell/mdikin.h"
#include "ui/shell/guarded.h"

namespace kinhom {

// The busy cursor's view of the screen pointer: the services' mouse pointer.
class CursorAdapter : public CursorControl {
public:
    explicit CursorAdapter(Services& services) : services_(services) {}
    int current() const override { return services_.mousePointer(); }
    void set(int pointer) override { services_.setMousePointer(pointer); }

private:
    Services& services_;
};

namespace {
App* g_current = nullptr;

// Writes a caption into the control of that name on a window (a label, a
// button or a frame); a window without the control is left alone.
void SetCaption(KinForm* form, const char* name, const std::string& text)
{
    if (!form)
        return;
    const QString t = QString::fromStdString(text);
    if (form->SetNamedCaption(QString::fromLatin1(name), t))
        return;
    QWidget* w = form->widget()->findChild<QWidget*>(QString::fromLatin1(name));
    if (!w)
        return;
    if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(t);
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(t);
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        g->setTitle(t);
}

std::string FolderText(const std::filesystem::path& folder)
{
    std::string s = folder.lexically_normal().string();
    while (s.size() > 1 && (s.back() == '/' || s.back() == '\\'))
        s.pop_back();
    return s;
}

// The folders of the user's files and of the program's own files; a per-user
// data folder that is chosen is created.
FileFolders LookUpFileFolders(const std::filesystem::path& programFolder,
                              const std::function<bool(const std::filesystem::path&)>& folderWritable)
{
    const bool writable = folderWritable ? folderWritable(programFolder) : FolderWritable(programFolder);
    const FileFolders f =
        ChooseFileFolders(FolderText(programFolder), writable, FolderText(QDir::homePath().toStdString()),
                          FolderText(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString()));
    if (f.ownFiles != f.program) {
        std::error_code ec;
        std::filesystem::create_directories(f.ownFiles, ec);
    }
    return f;
}
} // namespace

App::App(Setup setup)
    : programFolder_(std::move(setup.programFolder)), folders_(LookUpFileFolders(programFolder_, setup.folderWritable)),
      services_(std::move(setup.services)),
      settingsFile_(std::move(setup.settingsFile))
{
    if (!services_)
        services_ = std::make_unique<RecordingServices>();
    cursor_ = std::make_unique<CursorAdapter>(*services_);
    previous_ = g_current;
    g_current = this;
    // The shared state holds its start values from the beginning, so windows
    // loaded before (or without) the main window's load find a sound state.
    SetStartupValues(declare_, folders_, localeDecimalSign().toStdString());
}

App::~App()
{
    // Destroy the windows at once, last loaded first; no handlers run.
    while (!forms_.empty()) {
        KinForm* f = forms_.back().form;
        forms_.pop_back();
        delete f->frame();
    }
    delete mainWindow_;
    mainWindow_ = nullptr;
    // Windows unloaded earlier wait for the event loop; end them with the application.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    cursor_.reset();
    services_.reset();
    g_current = previous_;
}

App* App::current() { return g_current; }

App& app()
{
    Q_ASSERT(g_current);
    return *g_current;
}

std::string App::programFolderText() const { return FolderText(programFolder_); }

std::filesystem::path App::helpFolder() const { return programFolder_ / "help"; }

std::unique_ptr<QSettings> App::settings() const
{
    if (settingsFile_.isEmpty())
        return std::make_unique<QSettings>(QStringLiteral("KINHOM-3"), QStringLiteral("KINHOM-3"));
    return std::make_unique<QSettings>(settingsFile_, QSettings::IniFormat);
}

QString App::localeDecimalSign()
{
    // The general number format of the user's locale, applied to 3/4.
    return QLocale::system().toString(0.75).contains(',') ? QStringLiteral(",") : QStringLiteral(".");
}

MDIKIN& App::mainWindow()
{
    if (!mainWindow_)
        mainWindow_ = new MDIKIN();
    return *mainWindow_;
}

QMdiArea* App::mdiArea() { return mainWindow().mdiArea(); }

void App::startUp()
{
    MDIKIN& m = mainWindow();
    m.MDIForm_Load();
    // The main window starts maximised: child windows place themselves by the
    // screen's size. Its normal size, when the user restores it, lies within
    // the available screen with its frame.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        m.resize(available.size() * 9 / 10);
        m.move(available.topLeft() + QPoint(available.width() / 20, available.height() / 20));
    }
    m.showMaximized();
}

KinForm* App::lookup(std::type_index type) const
{
    for (const Entry& e : forms_)
        if (e.type == type)
            return e.form;
    return nullptr;
}

void App::load(std::type_index type, KinForm* form)
{
    forms_.push_back(Entry{type, form});
    QWidget* w = form->widget();
    switch (form->kind()) {
    case KinForm::Kind::MdiChild: {
        QMdiSubWindow* sub = mdiArea()->addSubWindow(w);
        sub->setAttribute(Qt::WA_DeleteOnClose, false);
        sub->setObjectName(w->objectName() + "_frame");
        form->attachSubWindow(sub);
        // Form_Activate runs each time the child becomes the active window.
        QObject::connect(mdiArea(), &QMdiArea::subWindowActivated, sub, Guarded([this, form, sub](QMdiSubWindow* active) {
            if (active == sub && isFormLoaded(form))
                form->Form_Activate();
        }));
        break;
    }
    case KinForm::Kind::Dialog:
        if (!w->parentWidget())
            w->setParent(&mainWindow(), w->windowFlags() | Qt::Dialog);
        break;
    case KinForm::Kind::MainWindow:
        break;
    }
    try {
        form->Form_Load();
    } catch (const std::exception& e) {
        services().msgBox(QString::fromStdString(e.what()), MsgButtons::OK, MsgIcon::Critical, w->objectName());
    }
    if (isFormLoaded(form) && form->visibleOnLoad())
        form->Show();
}

bool App::isFormLoaded(const KinForm* form) const
{
    if (!form)
        return false;
    if (mainWindow_ && form == static_cast<const KinForm*>(mainWindow_))
        return true;
    return std::any_of(forms_.begin(), forms_.end(), [form](const Entry& e) { return e.form == form; });
}

std::vector<KinForm*> App::loadedForms() const
{
    std::vector<KinForm*> out;
    for (const Entry& e : forms_)
        out.push_back(e.form);
    return out;
}

void App::forget(KinForm* form)
{
    forms_.erase(std::remove_if(forms_.begin(), forms_.end(), [form](const Entry& e) { return e.form == form; }),
                 forms_.end());
}

KinForm* App::findForm(const QString& name) const
{
    for (const Entry& e : forms_)
        if (e.form->widget()->objectName() == name)
            return e.form;
    return nullptr;
}

KinForm* App::firstLoaded(std::span<const char* const> names) const
{
    for (const char* n : names)
        if (KinForm* f = findForm(QString::fromLatin1(n)))
            return f;
    return nullptr;
}

void App::unloadForms(std::span<const char* const> names, std::string_view except)
{
    for (const char* n : names)
        if (std::string_view(n) != except)
            if (KinForm* f = findForm(QString::fromLatin1(n)))
                f->Unload();
}

namespace {

std::vector<const QMetaObject*>& WindowClassList()
{
    static std::vector<const QMetaObject*> classes;
    return classes;
}

} // namespace

const std::vector<const QMetaObject*>& App::windowClasses() { return WindowClassList(); }

bool App::enterWindowClass(const QMetaObject* type)
{
    std::vector<const QMetaObject*>& classes = WindowClassList();
    if (std::find(classes.begin(), classes.end(), type) == classes.end())
        classes.push_back(type);
    return true;
}

bool App::unloadForm(KinForm& form, UnloadMode mode)
{
    if (!isFormLoaded(&form) || static_cast<KinForm*>(mainWindow_) == &form)
        return true;
    // An unload handler that unloads its own window again is not run twice.
    if (std::find(unloading_.begin(), unloading_.end(), &form) != unloading_.end())
        return true;
    unloading_.push_back(&form);
    struct Done {
        std::vector<KinForm*>& list;
        KinForm* f;
        ~Done() { list.erase(std::remove(list.begin(), list.end(), f), list.end()); }
    } done{unloading_, &form};
    int cancel = 0;
    try {
        form.Form_QueryUnload(cancel, mode);
        if (cancel == 0)
            form.Form_Unload(cancel);
    } catch (const std::exception& e) {
        services().msgBox(QString::fromStdString(e.what()), MsgButtons::OK, MsgIcon::Critical,
                          form.widget()->objectName());
    }
    if (cancel != 0)
        return false;
    // A handler may already have unloaded the window itself.
    if (!isFormLoaded(&form))
        return true;
    forget(&form);
    if (QMdiSubWindow* sub = form.subWindow()) {
        sub->hide();
        if (QMdiArea* area = sub->mdiArea())
            area->removeSubWindow(sub);
        sub->deleteLater();
    } else {
        form.widget()->hide();
        form.widget()->deleteLater();
    }
    return true;
}

bool App::unloadAll(UnloadMode mode)
{
    while (!forms_.empty()) {
        KinForm* f = forms_.back().form;
        if (!unloadForm(*f, mode))
            return false;
    }
    return true;
}

// ---- busy cursor ---------------------------------------------------------------------

void App::HourglassOn() { kinhom::HourglassOn(declare_, *cursor_); }

void App::HourglassOff() { kinhom::HourglassOff(declare_, *cursor_); }

CursorControl& App::cursorControl() { return *cursor_; }

// ---- unit captions ------------------------------------------------------------------------

void App::SetUnitLabels()
{
    const UnitCaptions c = UnitCaptionsFor(declare_.ModellNr, declare_.Zeiteinheit);
    // The reactor windows and the fitting window show the time unit, the
    // volume flow unit and the rate-constant units: the first loaded of them.
    KinForm* reactorOrFitting = firstLoaded(names::kReactorWindows);
    if (!reactorOrFitting)
        reactorOrFitting = findForm(names::frmFitting);
    if (KinForm* f = reactorOrFitting) {
        SetCaption(f, names::lblZeitEinheit, c.lblZeitEinheit);
        SetCaption(f, names::lblVPunktInput, c.lblVPunktInput);
        SetCaption(f, names::unit1, c.unit1);
        SetCaption(f, names::unit2, c.unit2);
        SetCaption(f, names::unit3, c.unit3);
    }
    KinForm* setupOrFitting = findForm(names::frmPrepareTimeDiagram);
    if (!setupOrFitting)
        setupOrFitting = findForm(names::frmFitting);
    if (KinForm* f = setupOrFitting) {
        SetCaption(f, names::unit1, c.unit1);
        SetCaption(f, names::unit2, c.unit2);
        SetCaption(f, names::unit3, c.unit3);
    }
    // In the order fit and the non-isothermal fits the fitting window's second
    // parameter is the order n or the activation energy, not a rate constant.
    if (std::string u; FitParamOwnUnit(declare_.Arbeitsmodus, 2, u))
        SetCaption(findForm(names::frmFitting), names::unit2, u);
    SetCaption(findForm(names::frmPrepareTimeDiagram), names::unit4, c.unit4);
    if (KinForm* f = findForm(names::frmDatedit)) {
        SetCaption(f, names::Bz1_2, c.Bz1_2);
        SetCaption(f, names::lblKopf_5, c.lblKopf_5);
    }
}

} // namespace kinhom
