#pragma once
// A test application with the main window shown, for the model window and the
// simulation windows, and small helpers to reach their controls by name.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

#include "shell_fixture.h"
#include "ui/kinetics/frmkinmodel.h"
#include "ui/kinetics/frmpreparetimediagram.h"
#include "ui/shell/mdikin.h"

namespace kinhom::test {

struct SimFixture : ShellFixture {
    SimFixture()
    {
        MDIKIN& m = app->mainWindow();
        m.show();
        QApplication::setActiveWindow(&m);
    }

    Declare& d() { return app->declare(); }
    frmKinModel& model() { return app->show<frmKinModel>(); }
    frmPrepareTimeDiagram& setup() { return app->show<frmPrepareTimeDiagram>(); }

    // Picks a model in the model window as a click does; an option that is
    // already selected is applied again.
    void choose(int modelNr)
    {
        frmKinModel& m = model();
        const int index = modelNr == 20 ? 0 : modelNr;
        if (m.optTyp[std::size_t(index)]->isChecked())
            m.optTyp_Click(index);
        else
            m.optTyp[std::size_t(index)]->click();
    }

    // The set-up window, opened before a model is picked in the model window.
    frmPrepareTimeDiagram& setupWith(int modelNr)
    {
        frmPrepareTimeDiagram& s = setup();
        choose(modelNr);
        return s;
    }
};

// A control of a window by its control name.
template <class T>
T* Ctl(QWidget* window, const QString& name)
{
    return window->findChild<T*>(name);
}

inline QString Text(QWidget* window, const QString& name)
{
    if (auto* e = Ctl<QLineEdit>(window, name))
        return e->text();
    if (auto* l = Ctl<QLabel>(window, name))
        return l->text();
    return "<missing " + name + ">";
}

inline bool Shown(QWidget* window, const QString& name)
{
    QWidget* w = Ctl<QWidget>(window, name);
    return w && !w->isHidden();
}

} // namespace kinhom::test
