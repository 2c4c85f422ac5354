// The Monte-Carlo menu of the main window.

#include <exception>

#include <QAction>

#include "ui/montecarlo/frmmontecarlo.h"
#include "ui/shell/application.h"
#include "ui/shell/mdikin.h"

namespace kinhom {

void MDIKIN::mnuSubMonteCarlo_Click(int Index)
{
    App& a = app();
    try {
        a.declare().MCModus = std::uint8_t(Index + 1);
        closeTips();
        // Opened afresh, so the window sets itself up for the chosen task.
        if (!a.unload<frmMonteCarlo>())
            return;
        a.show<frmMonteCarlo>();
    } catch (const std::exception& e) {
        a.services().msgBox(QString("The Monte-Carlo window could not be opened: ") + e.what(), MsgButtons::OK,
                            MsgIcon::Critical, "Execution not possible");
    }
}

} // namespace kinhom
