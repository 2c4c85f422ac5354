#pragma once
// Builders shared by the chart window's floating panels (fraKurven, fraPunkte,
// fraSchrift, fraTabs). Every control carries its control name as objectName
// (cmdFont, optLegOrient_1); a push button is never the default button, so that
// Enter in a box of a panel does not press one; and every panel has the same
// raised frame with a bold caption bar by which the user drags it.

#include <QString>

class QFrame;
class QLabel;
class QPushButton;
class QTabWidget;
class QVBoxLayout;
class QWidget;

namespace kinhom {

// Gives w its control name and returns it.
template <class T>
T* Named(T* w, const QString& name)
{
    w->setObjectName(name);
    return w;
}

// The control name of element i of a control array: "name_i".
QString Indexed(const char* name, int i);

// A push button named `name` that does not act as the default button.
QPushButton* PanelButton(const QString& text, const QString& name, QWidget* parent);

// Makes f a floating panel named `name`: a raised frame whose body layout starts
// with the bold caption `title` (named "<name>_caption", the handle that drags
// the panel). Returns the body layout; the caller adds the panel's controls.
QVBoxLayout* PanelFrame(QFrame* f, const QString& name, const QString& title, QLabel*& caption);

// Shows and enables tab `index` of tabs, or hides and disables it. Only a real
// change is passed on: QTabBar forgets a pending re-layout of a hidden bar when
// it is told again that a tab is visible, and the tabs shown before would keep
// a width of zero until the next re-layout.
void ShowTab(QTabWidget* tabs, int index, bool shown);

} // namespace kinhom
