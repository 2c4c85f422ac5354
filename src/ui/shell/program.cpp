#include "ui/shell/program.h"

#include <filesystem>

#include <QApplication>

#include "ui/shell/application.h"
#include "ui/shell/fileactions.h"
#include "ui/shell/mdikin.h"
#include "ui/shell/services.h"

namespace kinhom {

std::unique_ptr<App> MakeProgramApp()
{
    QApplication::setApplicationName("KINHOM-3");
    QApplication::setOrganizationName("KINHOM-3");

    const std::filesystem::path folder = QCoreApplication::applicationDirPath().toStdString();
    auto services = MakeRealServices(QString::fromStdString((folder / "help").string()), []() -> QWidget* {
        App* a = App::current();
        return a && a->hasMainWindow() ? &a->mainWindow() : nullptr;
    });
    auto app = std::make_unique<App>(App::Setup{folder, std::move(services), {}});
    ConnectFileActions(app->mainWindow());
    return app;
}

} // namespace kinhom
