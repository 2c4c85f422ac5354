#pragma once
// The base of every window of the program. A window is one instance, loaded by
// the application's registry (app().get<T>()), which runs Form_Load; it is
// unloaded by Unload()/app().unload<T>() or by its close box, which run
// Form_QueryUnload and Form_Unload first (either may cancel).
//
// Three kinds of windows:
//  - KinWidget: a child window inside the main window's QMdiArea;
//  - KinDialog: a dialog, run modally by ShowModal() (or shown modelessly);
//  - the main window MDIKIN itself (a QMainWindow owned by the application).
// Positions and sizes given in twips convert at 15 twips per pixel.

#include <QDialog>
#include <QWidget>

class QCloseEvent;
class QMdiSubWindow;

namespace kinhom {

constexpr int kTwipsPerPixel = 15;
constexpr int TwipsToPixels(int twips) { return twips / kTwipsPerPixel; }
constexpr int PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

// Why a window is being closed (the classic unload modes).
enum class UnloadMode { CloseBox = 0, Code = 1, AppWindows = 2, TaskManager = 3, MdiParent = 4 };

class KinForm {
public:
    enum class Kind { MdiChild, Dialog, MainWindow };

    virtual ~KinForm() = default;

    virtual Kind kind() const = 0;
    virtual QWidget* widget() = 0;
    const QWidget* widget() const { return const_cast<KinForm*>(this)->widget(); }

    // Handlers; the defaults do nothing.
    virtual void Form_Load() {}
    // Set Cancel to a non-zero value to keep the window loaded.
    virtual void Form_QueryUnload(int& Cancel, UnloadMode mode)
    {
        (void)Cancel;
        (void)mode;
    }
    virtual void Form_Unload(int& Cancel) { (void)Cancel; }
    // Runs each time the window becomes the active one (a child in the main
    // window, or a dialog).
    virtual void Form_Activate() {}
    virtual void Form_Resize() {}
    // The help page of the window, opened by F1 (0: the contents).
    virtual int HelpContextID() const { return 0; }

    // A caption that another window writes by name but that is no widget of
    // its own (a column header of a grid, say); false when the window has no
    // caption of that name, and the widget of that name is written instead.
    virtual bool SetNamedCaption(const QString& name, const QString& text)
    {
        (void)name;
        (void)text;
        return false;
    }

    // Child windows appear when they are loaded (as on the original platform);
    // a window that should stay hidden after Form_Load overrides this.
    virtual bool visibleOnLoad() const { return kind() == Kind::MdiChild; }

    // The window's frame on screen: the MDI sub-window of a child, else the widget.
    QWidget* frame();
    QMdiSubWindow* subWindow() const { return subWindow_; }

    // Makes the window visible and active (a dialog is shown modelessly).
    void Show();
    // Shows a dialog modally; returns when it is hidden or unloaded.
    int ShowModal();
    void Hide();
    // Unloads the window (Form_QueryUnload with mode Code, then Form_Unload);
    // false when a handler cancelled.
    bool Unload();
    bool isLoaded() const;

    // Frame placement in twips (relative to the MDI client area for a child,
    // to the screen otherwise). A negative width or height keeps that size.
    void Move(int left, int top, int width = -1, int height = -1);
    int Left();
    int Top();
    int Width();
    int Height();
    // Inner size of the window in twips.
    int ScaleWidth();
    int ScaleHeight();

    // Used by the registry.
    void attachSubWindow(QMdiSubWindow* sub) { subWindow_ = sub; }

protected:
    // Routes a close-box event through the unload handlers; windows call it from
    // their closeEvent (KinWidget and KinDialog already do).
    void handleCloseEvent(QCloseEvent* event);

private:
    QMdiSubWindow* subWindow_ = nullptr;
};

// A child window inside the main window.
class KinWidget : public QWidget, public KinForm {
    Q_OBJECT
public:
    explicit KinWidget(QWidget* parent = nullptr);
    Kind kind() const override { return Kind::MdiChild; }
    QWidget* widget() override { return this; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

// A dialog. Esc does nothing unless the dialog overrides reject() (a dialog with
// a Cancel button clicks it there); the close box unloads it.
class KinDialog : public QDialog, public KinForm {
    Q_OBJECT
public:
    explicit KinDialog(QWidget* parent = nullptr);
    Kind kind() const override { return Kind::Dialog; }
    QWidget* widget() override { return this; }
    void reject() override {}

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace kinhom
