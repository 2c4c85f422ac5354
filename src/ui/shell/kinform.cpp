#include "ui/shell/kinform.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "ui/shell/application.h"

namespace kinhom {

QWidget* KinForm::frame()
{
    if (subWindow_)
        return subWindow_;
    return widget();
}

void KinForm::Show()
{
    QWidget* w = widget();
    if (subWindow_) {
        w->show();
        subWindow_->show();
        if (QMdiArea* area = subWindow_->mdiArea())
            area->setActiveSubWindow(subWindow_);
        subWindow_->raise();
        // While the main window is inactive (a menu or a message box has just
        // closed) the activation does not move the keyboard focus, and the main
        // window, once active again, would bring back the window holding it.
        QWidget* focus = subWindow_->window()->focusWidget();
        if (!focus || !subWindow_->isAncestorOf(focus)) {
            QWidget* inner = w->focusWidget();
            (inner ? inner : static_cast<QWidget*>(subWindow_))->setFocus(Qt::OtherFocusReason);
        }
        return;
    }
    w->show();
    w->raise();
    w->activateWindow();
}

int KinForm::ShowModal()
{
    if (auto* dialog = dynamic_cast<QDialog*>(widget())) {
        if (!isLoaded())
            return QDialog::Rejected;
        dialog->setModal(true);
        return dialog->exec();
    }
    Show();
    return 0;
}

void KinForm::Hide() { frame()->hide(); }

bool KinForm::Unload()
{
    if (App* a = App::current())
        return a->unloadForm(*this, UnloadMode::Code);
    return true;
}

bool KinForm::isLoaded() const
{
    App* a = App::current();
    return a && a->isFormLoaded(this);
}

void KinForm::Move(int left, int top, int width, int height)
{
    QWidget* f = frame();
    f->move(TwipsToPixels(left), TwipsToPixels(top));
    if (width >= 0 || height >= 0) {
        const int w = width >= 0 ? TwipsToPixels(width) : f->width();
        const int h = height >= 0 ? TwipsToPixels(height) : f->height();
        f->resize(w, h);
    }
}

int KinForm::Left() { return PixelsToTwips(frame()->x()); }
int KinForm::Top() { return PixelsToTwips(frame()->y()); }
int KinForm::Width() { return PixelsToTwips(frame()->width()); }
int KinForm::Height() { return PixelsToTwips(frame()->height()); }
int KinForm::ScaleWidth() { return PixelsToTwips(widget()->width()); }
int KinForm::ScaleHeight() { return PixelsToTwips(widget()->height()); }

void KinForm::handleCloseEvent(QCloseEvent* event)
{
    App* a = App::current();
    if (!a || !a->isFormLoaded(this)) {
        event->accept();
        return;
    }
    if (a->unloadForm(*this, UnloadMode::CloseBox))
        event->accept();
    else
        event->ignore();
}

KinWidget::KinWidget(QWidget* parent) : QWidget(parent) {}

void KinWidget::closeEvent(QCloseEvent* event) { handleCloseEvent(event); }

void KinWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

KinDialog::KinDialog(QWidget* parent) : QDialog(parent) {}

void KinDialog::closeEvent(QCloseEvent* event) { handleCloseEvent(event); }

bool KinDialog::event(QEvent* event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate && isLoaded())
        Form_Activate();
    return handled;
}

void KinDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

} // namespace kinhom
