#pragma once
// The chart window under test: a test application whose main window is shown,
// the chart window reached through it, and the two ways the tests fill it (a
// simulation drawn in a fresh window, measured points).
//
// A QtTest class derives from QObject and from ChartFixture (in this order) and
// keeps its own init() and cleanup() slots, which call start() and stop():
// QtTest runs only the private slots of the class itself.

#include <QtTest>

#include <cstdint>
#include <memory>
#include <vector>

#include <QCoreApplication>

#include "builders.h"
#include "core/chart/chart2d.h"
#include "core/kinetics/models.h"
#include "core/kinetics/simulation.h"
#include "core/shell/expdata.h"
#include "shell_fixture.h"
#include "ui/chart/frmgraph2d.h"
#include "ui/shell/mdikin.h"

namespace kinhom::test {

class ChartFixture {
protected:
    std::unique_ptr<ShellFixture> fx;

    // A fresh test application with its main window shown at the given size.
    void start(int width, int height)
    {
        fx = std::make_unique<ShellFixture>();
        app().mainWindow().resize(width, height);
        app().mainWindow().show();
    }
    // Ends the application and deletes what it left to be deleted later.
    void stop()
    {
        fx.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    RecordingServices& rec() { return *fx->rec; }
    Declare& d() { return app().declare(); }
    frmGraph2D& g()
    {
        frmGraph2D* w = app().find<frmGraph2D>();
        Q_ASSERT(w);
        return *w;
    }
    Chart2D& chart() { return g().chart(); }

    // Loads the measured points (record 0 stays empty) and analyses them as
    // reading a data file does.
    void setPoints(const std::vector<ExpPunkt>& pts)
    {
        LoadMeasuredPoints(d(), pts);
    }

    // The simulation set-up's Draw with old curves discarded: simulate, unload
    // the chart window, plot ranges, title routine (the fresh window draws).
    void simulate(int model, float tEnde = 20)
    {
        d().ModellNr = static_cast<std::int16_t>(model);
        ApplyModelDefaults(d(), model);
        SetStoechiometrie(d().Stoechiometrie, model, d().Ordnung);
        d().tEnde = tEnde;
        QVERIFY(!calc_diagram_function(d(), model).failed);
        d().DiagrammTyp = static_cast<std::int16_t>(model);
        app().unload<frmGraph2D>();
        CalcExpDataRanges(d(), d().DiagrammTyp, d().MitPunkten);
        SetDiagramTitles();
    }
};

} // namespace kinhom::test
