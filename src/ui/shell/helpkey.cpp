#include "ui/shell/helpkey.h"

#include <QKeySequence>
#include <QShortcut>

#include "ui/shell/application.h"
#include "ui/shell/guarded.h"

namespace kinhom {

void InstallHelpKey(QWidget* window, int context)
{
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), window);
    f1->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(f1, &QShortcut::activated, window, Guarded([context] { app().services().showHelp(context); }));
}

} // namespace kinhom
