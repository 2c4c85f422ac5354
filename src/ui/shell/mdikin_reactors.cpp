// The Reactors menu of the main window.

#include <initializer_list>

#include "ui/kinetics/frmkinmodel.h"
#include "ui/reactors/frmbatch.h"
#include "ui/reactors/frmrkconti.h"
#include "ui/reactors/frmrohrreaktor.h"
#include "ui/shell/application.h"
#include "ui/shell/formnames.h"
#include "ui/shell/mdikin.h"

namespace kinhom {

namespace {

// Closes the task windows that compete with a reactor, in the given order
// (the tips window has been closed before), opens the reactor window T,
// reopens the model window, which applies the model afresh and relabels the
// reactor window, and activates the reactor window.
template <class T>
void ReactorTask(std::initializer_list<const char*> competing)
{
    App& a = app();
    for (const char* name : competing)
        if (KinForm* f = a.findForm(name))
            f->Unload();
    T& reactor = a.show<T>();
    a.unload<frmKinModel>();
    a.show<frmKinModel>();
    if (a.isLoaded<T>())
        reactor.Show();
}

} // namespace

void MDIKIN::mnuBatchR_Click()
{
    closeTips();
    ReactorTask<frmBatch>({names::frmPrepareTimeDiagram, names::frmRKconti, names::frmRohrreaktor, names::frmFitting});
}

void MDIKIN::mnuRohrR_Click()
{
    closeTips();
    ReactorTask<frmRohrreaktor>({names::frmPrepareTimeDiagram, names::frmRKconti, names::frmBatch, names::frmFitting});
}

void MDIKIN::mnuKontRK_Click()
{
    closeTips();
    ReactorTask<frmRKconti>({names::frmPrepareTimeDiagram, names::frmBatch, names::frmRohrreaktor, names::frmFitting});
}

} // namespace kinhom
