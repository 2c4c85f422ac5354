// The start-up benchmark's yardstick: a minimal Qt main window with a menu bar
// and an MDI area, in a program of its own that links Qt Widgets only.
//
//   bench_startup_minimal <start ns>

#include <cstdlib>

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenuBar>

#include "first_paint.h"

int main(int argc, char** argv)
{
    const long long start = argc > 1 ? std::atoll(argv[1]) : startupbench::NowNs();
    int qtArgc = 1;
    QApplication qapp(qtArgc, argv);
    startupbench::FirstPaint paint(start);
    qapp.installEventFilter(&paint);

    QMainWindow window;
    QMenu* file = window.menuBar()->addMenu("&File");
    file->addAction("&Open...");
    file->addAction("E&xit", &qapp, &QApplication::quit);
    window.menuBar()->addMenu("&Help")->addAction("&About");
    window.setCentralWidget(new QMdiArea(&window));
    window.showMaximized();
    return qapp.exec();
}
