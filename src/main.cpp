#include <QApplication>

#include "ui/shell/mdikin.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("KINHOM-3");
    kinhom::MDIKIN w;
    w.show();
    return app.exec();
}
