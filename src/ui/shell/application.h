#pragma once
// The application object: owns the one shared state (Declare), the services and
// the window registry. The program creates one in main(); each test creates its
// own with a temporary program folder and RecordingServices. app() reaches the
// current one from anywhere in the ui.
//
//   App a({.programFolder = tmp, .services = std::make_unique<RecordingServices>()});
//   a.startUp();                       // the main window's load (MDIForm_Load)
//   auto& f = app().get<frmOption>();  // loads the window (runs Form_Load) once
//   app().isLoaded<frmOption>();       // IsFormLoaded
//   app().unload<frmOption>();         // runs the unload handlers, destroys it
//
// Windows derive from KinWidget (child windows in the main window's QMdiArea,
// shown when they are loaded) or KinDialog (dialogs, run modally with
// ShowModal()); each sets its objectName to its class name. Unloaded windows
// are destroyed with deleteLater(), so a reference taken before an unload
// stays valid until control returns to the event loop. The main window is
// created on first need (loading a child creates it) but its load runs only in
// startUp(), which also shows it.

#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string_view>
#include <typeindex>
#include <typeinfo>
#include <type_traits>
#include <vector>

#include <QString>

#include "core/shell/declare.h"
#include "core/shell/filefolders.h"
#include "ui/shell/kinform.h"
#include "ui/shell/services.h"

class QSettings;
class QMdiArea;

namespace kinhom {

class MDIKIN;
class CursorControl;
class CursorAdapter;

class App {
public:
    struct Setup {
        // The program's folder: tips file, help pages, icons; the last session and
        // the protocol files while it can be written (see fileFolders()).
        std::filesystem::path programFolder;
        std::unique_ptr<Services> services;
        // Settings file (INI); empty: the user's settings of the program.
        QString settingsFile;
        // Whether a folder can be written; empty: FolderWritable, which tries.
        std::function<bool(const std::filesystem::path&)> folderWritable = {};
    };

    explicit App(Setup setup);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // The application in use, or null when none exists.
    static App* current();

    Declare& declare() { return declare_; }
    Services& services() { return *services_; }
    const std::filesystem::path& programFolder() const { return programFolder_; }
    // The program folder as text, without a trailing separator.
    std::string programFolderText() const;
    // The folder of the help pages (<programFolder>/help).
    std::filesystem::path helpFolder() const;
    // Where files go: the program folder while it can be written; else the
    // dialogs start in the home folder and the protocol and the last session
    // go to the per-user data folder (looked up once, when the application is
    // made). Every caller takes its folder from here.
    const FileFolders& fileFolders() const { return folders_; }
    // The folder where the save and open dialogs start.
    std::filesystem::path userFilesFolder() const { return folders_.userFiles; }
    // The folder of the program's own files (protocol, last session).
    std::filesystem::path ownFilesFolder() const { return folders_.ownFiles; }
    // The program's settings (organisation and application "KINHOM-3").
    std::unique_ptr<QSettings> settings() const;
    // The decimal sign of the user's locale ("." or ",").
    static QString localeDecimalSign();

    // The main window. It is created on first use without its load; startUp()
    // runs its load (MDIForm_Load), as the program does at start.
    MDIKIN& mainWindow();
    bool hasMainWindow() const { return mainWindow_ != nullptr; }
    QMdiArea* mdiArea();
    void startUp();

    // ---- the window registry ----------------------------------------------------
    // Loads T on first use (runs Form_Load) and returns the one instance.
    template <class T>
    T& get()
    {
        static_assert(std::is_base_of_v<KinForm, T>, "windows derive from KinForm");
        if constexpr (std::is_same_v<T, MDIKIN>) {
            return mainWindow();
        } else {
            (void)kWindowClass<T>;
            if (KinForm* f = lookup(typeid(T)))
                return *static_cast<T*>(f);
            T* f = new T();
            load(typeid(T), f);
            return *f;
        }
    }
    // Loads T if needed and shows it.
    template <class T>
    T& show()
    {
        T& f = get<T>();
        if (isLoaded<T>())
            f.Show();
        return f;
    }
    // IsFormLoaded.
    template <class T>
    bool isLoaded() const
    {
        if constexpr (std::is_same_v<T, MDIKIN>)
            return mainWindow_ != nullptr;
        else
            return lookup(typeid(T)) != nullptr;
    }
    // The loaded instance, or null.
    template <class T>
    T* find() const
    {
        if constexpr (std::is_same_v<T, MDIKIN>) {
            return mainWindow_;
        } else {
            KinForm* f = lookup(typeid(T));
            return f ? static_cast<T*>(f) : nullptr;
        }
    }
    // The loaded window whose objectName (its class name) is `name`, or null;
    // lets a window address another one it does not include.
    KinForm* findForm(const QString& name) const;
    // The first loaded window of a list of names (formnames.h), or null.
    KinForm* firstLoaded(std::span<const char* const> names) const;
    // Unloads the loaded windows of a list of names in its order, all but
    // `except`; a window whose handler cancels stays.
    void unloadForms(std::span<const char* const> names, std::string_view except = {});
    // Unloads T when it is loaded; false when a handler cancelled.
    template <class T>
    bool unload()
    {
        KinForm* f = lookup(typeid(T));
        return f ? unloadForm(*f, UnloadMode::Code) : true;
    }

    bool unloadForm(KinForm& form, UnloadMode mode = UnloadMode::Code);
    bool isFormLoaded(const KinForm* form) const;
    // The loaded windows (the main window excluded), in the order they were loaded.
    std::vector<KinForm*> loadedForms() const;
    // Unloads every loaded window but the main window, last loaded first; stops
    // and returns false at the first that cancels.
    bool unloadAll(UnloadMode mode = UnloadMode::MdiParent);

    // ---- the busy cursor -----------------------------------------------------------
    // Nested: the pointer is restored at the HourglassOff that matches the first
    // HourglassOn (counter Declare::HourglassCount).
    void HourglassOn();
    void HourglassOff();
    // The screen pointer as core's busy cursor sees it (for core routines that
    // take a CursorControl&).
    CursorControl& cursorControl();

    // The window classes the program can open: each class that get<T> is
    // used with anywhere in the program enters itself before main() runs.
    // The tests check the lists of formnames.h against them.
    static const std::vector<const QMetaObject*>& windowClasses();

    // Writes the unit captions of every loaded window for the current time unit
    // and model (the controls are found by name).
    void SetUnitLabels();

private:
    static bool enterWindowClass(const QMetaObject* type);
    template <class T>
    static inline const bool kWindowClass = enterWindowClass(&T::staticMetaObject);

    KinForm* lookup(std::type_index type) const;
    void load(std::type_index type, KinForm* form);
    void forget(KinForm* form);

    struct Entry {
        std::type_index type;
        KinForm* form;
    };

    std::filesystem::path programFolder_;
    FileFolders folders_;
    std::unique_ptr<Services> services_;
    QString settingsFile_;
    Declare declare_;
    MDIKIN* mainWindow_ = nullptr;
    std::vector<Entry> forms_;
    std::vector<KinForm*> unloading_;
    std::unique_ptr<CursorAdapter> cursor_;
    App* previous_ = nullptr;

    friend class KinForm;
};

// The application in use (there must be one).
App& app();

// The busy cursor for the length of a scope, also when it is left early or by
// an exception.
struct BusyCursor {
    BusyCursor() { app().HourglassOn(); }
    ~BusyCursor() { app().HourglassOff(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// IsFormLoaded: whether the window is one of the loaded windows (by identity).
inline bool IsFormLoaded(const KinForm* form)
{
    App* a = App::current();
    return a && a->isFormLoaded(form);
}

// The unit captions of the loaded input windows for the current time unit.
inline void SetUnitLabels() { app().SetUnitLabels(); }

} // namespace kinhom
