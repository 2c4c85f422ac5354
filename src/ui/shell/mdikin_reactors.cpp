// The Reactors menu of the main window.

#include "ui/kinetics/frmkinmodel.h"
#include "ui/reactors/frmbatch.h"
#include "ui/reactors/frmrkconti.h"
#include "ui/reactors/frmrohrreaktor.h"
#include "ui/shell/application.h"
#include "ui/shell/formnames.h"
#include "ui/shell/mdikin.h"

namespace kinhom {

namespace {

// Closes the other input windows, which compete with a reactor, in the order
// of their list (the tips window has been closed before), opens the reactor
// window T (named `name`), reopens the model window, which applies the model
// afresh and shows it on the reactor window, and activates the reactor window.
template <class T>
void ReactorTask(const char* name)
{
    App& a = app();
    a.unloadForms(names::kInputWindows, name);
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
    ReactorTask<frmBatch>(names::frmBatch);
}

void MDIKIN::mnuRohrR_Click()
{
    closeTips();
    ReactorTask<frmRohrreaktor>(names::frmRohrreaktor);
}

void MDIKIN::mnuKontRK_Click()
{
    closeTips();
    ReactorTask<frmRKconti>(names::frmRKconti);
}

} // namespace kinhom
