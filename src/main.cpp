// KINHOM-3: kinetics of homogeneous chemical reactions.

#include <QApplication>

#include "ui/shell/application.h"
#include "ui/shell/program.h"

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    const std::unique_ptr<kinhom::App> app = kinhom::MakeProgramApp();
    app->startUp();
    return qapp.exec();
}
