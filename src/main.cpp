// KINHOM-3: kinetics of homogeneous chemical reactions.

#include <QApplication>

#include "ui/shell/application.h"
#include "ui/shell/fileactions.h"
#include "ui/shell/mdikin.h"
#include "ui/shell/services.h"

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    QApplication::setApplicationName("KINHOM-3");
    QApplication::setOrganizationName("KINHOM-3");

    // The program folder holds the tips file, the help pages, the icons and
    // the last-session file.
    const std::filesystem::path folder = QCoreApplication::applicationDirPath().toStdString();
    auto services = kinhom::MakeRealServices(QString::fromStdString((folder / "help").string()), []() -> QWidget* {
        kinhom::App* a = kinhom::App::current();
        return a && a->hasMainWindow() ? &a->mainWindow() : nullptr;
    });
    kinhom::App app({folder, std::move(services), {}});
    kinhom::ConnectFileActions(app.mainWindow());
    app.startUp();
    return qapp.exec();
}
