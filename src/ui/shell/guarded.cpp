#include "ui/shell/guarded.h"

#include <cstdio>

#include <QString>

#include "ui/shell/application.h"

namespace kinhom {

void ShowHandlerError(const char* what) noexcept
{
    try {
        if (App* a = App::current()) {
            a->services().msgBox(QString::fromUtf8(what), MsgButtons::OK, MsgIcon::Critical,
                                 "Execution not possible");
            return;
        }
    } catch (...) {
    }
    std::fprintf(stderr, "KINHOM-3: %s\n", what);
}

} // namespace kinhom
