// The XY editor, the tangent window and the ARRHENIUS/EYRING calculator, each
// reached through its menu as a user reaches it.
#include <QtTest>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>

#include "chart_fixture.h"
#include "core/chart/curveexport.h"
#include "core/dataedit/curvefile.h"
#include "ui/dataedit/datagrid.h"
#include "ui/dataedit/frmmanuinput.h"
#include "ui/evaluation/frmarrheniusrechner.h"
#include "ui/evaluation/frmcalctangente.h"
#include "ui/shell/formnames.h"

using namespace kinhom;

class TestEvalTools : public QObject, public test::ChartFixture {
    Q_OBJECT

    MDIKIN& mw() { return app().mainWindow(); }
    frmArrheniusRechner& calc() { return *app().find<frmArrheniusRechner>(); }
    frmCalcTangente& tangente() { return *app().find<frmCalcTangente>(); }
    frmManuInput& xy() { return *app().find<frmManuInput>(); }

    QString calculate(const QString& p0, const QString& p1, const QString& T)
    {
        calc().txtPar[0]->setText(p0);
        calc().txtPar[1]->setText(p1);
        calc().txtT->setText(T);
        calc().cmdCalculate->click();
        return calc().lblK->text();
    }

    // Marks the cells (row, column) of the XY editor's grid.
    void mark(const std::vector<std::pair<int, int>>& cells)
    {
        DataGrid* grid = xy().Grid;
        grid->clearSelection();
        for (const auto& [r, c] : cells)
            grid->selectionModel()->select(grid->model()->index(r, c), QItemSelectionModel::Select);
    }

    std::string readFile(const QString& p)
    {
        std::ifstream in(p.toStdString(), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    // 21 points of a first-order course c(A) = exp(-0.1 t), 7 significant digits.
    void firstOrderData()
    {
        std::vector<ExpPunkt> pts;
        for (int i = 0; i <= 20; ++i) {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%.7g", std::exp(-0.1 * i));
            pts.push_back(test::CtPoint({.t = double(i), .A = std::stod(buf)}));
        }
        setPoints(pts);
    }

private slots:
    void init() { start(1300, 950); }
    void cleanup() { stop(); }

    void arrheniusAndEyringCalculatorsFromTheirMenus()
    {
        d().ArrheniusEA = 12345;
        d().ArrheniusA = 7;
        d().Arbeitsmodus = 6;
        QVERIFY(mw().mnuToolArrhenius->isEnabled());
        mw().mnuToolArrhenius->trigger();
        QVERIFY(app().isLoaded<frmArrheniusRechner>());
        QCOMPARE(d().kTFunktion, std::uint8_t(1));
        QCOMPARE(d().Arbeitsmodus, std::uint8_t(0));
        QCOMPARE(calc().windowTitle(), QString("ARRHENIUS Calculator"));
        QCOMPARE(calc().txtPar[0]->text(), QString("0")); // the menu zeroed EA and A
        QCOMPARE(calculate("50", "1e10", "300"), QString("19.70"));
        QCOMPARE(d().ArrheniusEA, 50000.0); // typed values kept in J/mol
        QCOMPARE(d().ArrheniusA, 1e10);
        // k in 1/min
        calc().cmbkTZeiteinheit->setCurrentIndex(1);
        QCOMPARE(d().kTZeiteinheit, std::uint8_t(1));
        QCOMPARE(calc().lblK->text(), QString("1182"));

        // refusals leave no number in the result box
        for (const char* T : {"0", "-5", "abc"}) {
            const std::size_t before = rec().messages.size();
            QCOMPARE(calculate("50", "1e10", T), QString());
            QCOMPARE(rec().messages.size(), before + 1);
        }
        QVERIFY(rec().lastMessage().contains("T"));
        QCOMPARE(calculate("-5000", "1e300", "300"), QString()); // overflow
        QVERIFY(rec().lastMessage().contains("too large"));

        // the toolbar's EYRING button reopens the window for EYRING
        calc().cmbkTZeiteinheit->setCurrentIndex(0);
        d().hAkt = 1;
        mw().Toolbar1_ButtonClick(16);
        QCOMPARE(d().kTFunktion, std::uint8_t(2));
        QCOMPARE(d().hAkt, 0.0);
        QCOMPARE(calc().windowTitle(), QString("EYRING Calculator"));
        QCOMPARE(calc().lblParUnit[1]->text(), QString("J/(mol K)"));
        QCOMPARE(calculate("80", "-20", "298.15"), QString("0.005410"));
        QCOMPARE(d().hAkt, 80000.0);
        QCOMPARE(d().sAkt, -20.0);
    }

    void tangentFromTheMenuReadsTheRateOffTheSpline()
    {
        firstOrderData();
        QVERIFY(d().DatenVorhanden[1]);
        mw().mnuCalcTangente_Click(); // opening the submenu offers the species with data
        QVERIFY(mw().mnuSubTangente[1]->isEnabled());
        QVERIFY(!mw().mnuSubTangente[2]->isEnabled());
        mw().mnuSubTangente[1]->trigger();
        QVERIFY(app().isLoaded<frmCalcTangente>());
        QVERIFY(app().isLoaded<frmGraph2D>());
        QCOMPARE(d().DiagrammTyp, std::int16_t(100));
        QCOMPARE(d().TangenteSpalte, std::uint8_t(1));
        QCOMPARE(d().Glaettung, 0.0f);
        QCOMPARE(d().KurvenAnzahl, 1); // the spline
        QCOMPARE(tangente().windowTitle(), QString("Calculating Rate of Reaction "));

        tangente().txtZeit->setText("5");
        tangente().cmdBerechnen->click();
        const QString rate = tangente().lblRateWert->text();
        QVERIFY2(rate.endsWith("mol/(l s)"), qPrintable(rate));
        const double r = rate.split(' ').first().toDouble();
        QVERIFY2(std::fabs(r + 0.1 * std::exp(-0.5)) < 0.02 * 0.1 * std::exp(-0.5), qPrintable(rate));
        QVERIFY(tangente().lblCWert->text().startsWith("0.606"));

        // the tangent is a curve of its own that touches the spline at t = 5
        const int slot = tangente().tangentSlot();
        QCOMPARE(slot, 2);
        QCOMPARE(d().KurvenAnzahl, 2);
        const ChartData& data = chart().ChartGroups(1).Data();
        QCOMPARE(data.NumPoints(slot), 2);
        // red on the chart and on the curve panel, so that it stands out from the spline
        QCOMPARE(chart().ChartGroups(1).Styles(slot).LineStyle().Color(), RGB(255, 0, 0));
        QCOMPARE(g().KurvenTab[std::size_t(slot)].cmdKurvenFarbe, RGB(255, 0, 0));
        const double x0 = data.X(slot, 1), y0 = data.Y(slot, 1), x1 = data.X(slot, 2), y1 = data.Y(slot, 2);
        const double atT = y0 + (y1 - y0) * (5 - x0) / (x1 - x0);
        QVERIFY(std::fabs(atT - std::exp(-0.5)) < 1e-4);
        QVERIFY((y1 - y0) / (x1 - x0) < 0);

        // a new time replaces the tangent
        tangente().txtZeit->setText("10");
        tangente().cmdBerechnen->click();
        QCOMPARE(d().KurvenAnzahl, 2);

        // the smoothing slider redraws the spline and the tangent
        tangente().scrGlaettung->setValue(100);
        QCOMPARE(d().Glaettung, 0.5f);
        QCOMPARE(d().KurvenAnzahl, 2);
        QCOMPARE(data.NumPoints(1) > 100, true);
        QCOMPARE(data.NumPoints(tangente().tangentSlot()), 2);

        // outside the measured times: a message, no numbers, no tangent
        tangente().txtZeit->setText("25");
        tangente().cmdBerechnen->click();
        QVERIFY(rec().lastMessage().contains("from 0 s to 20 s"));
        QCOMPARE(tangente().lblRateWert->text(), QString());
        QCOMPARE(tangente().tangentSlot(), 0);
        QCOMPARE(d().KurvenAnzahl, 1);

        // the time slider's end is the last measured time
        tangente().scrZeit->setValue(tangente().scrZeit->maximum());
        QCOMPARE(tangente().txtZeit->text(), QString("20"));
        QVERIFY(!tangente().lblRateWert->text().isEmpty());
    }

    void tangentWithTooFewPointsSaysSo()
    {
        setPoints({test::CtPoint({.t = 0, .A = 1}), test::CtPoint({.t = 1, .A = 0.9})});
        mw().mnuSubTangente_Click(1);
        tangente().txtZeit->setText("0.5");
        tangente().cmdBerechnen->click();
        QVERIFY(rec().lastMessage().contains("at least 3 measured points"));
        QCOMPARE(rec().messages.back().title, QString("Calculating Rate of Reaction "));
        QCOMPARE(tangente().lblRateWert->text(), QString());
    }

    void xyEditorTypedPointsDrawnSavedAndLoaded()
    {
        QVERIFY(mw().mnuEditXY->isEnabled());
        mw().mnuEditXY->trigger();
        QVERIFY(app().isLoaded<frmManuInput>());
        QVERIFY(!mw().mnuCopy2->isEnabled());
        for (int i = 1; i <= 10; ++i) {
            QVERIFY(xy().Grid->typeIntoCell(i - 1, kManuColX, QString::number(i)));
            QVERIFY(xy().Grid->typeIntoCell(i - 1, kManuColY, QString::number(i * i)));
        }
        QCOMPARE(d().AnzahlXYPunkte, 10);
        QVERIFY(mw().mnuCopy2->isEnabled());
        QVERIFY(mw().mnuErase2->menuAction()->isEnabled());
        // a right click on the grid pops up the main window's XY pop-up menu
        emit xy().Grid->contextMenuRequested(QPoint(50, 50));
        QVERIFY(mw().mnuEdit2->isVisible());
        mw().mnuEdit2->hide();

        // draw: a chart of its own, the points inside its axis window
        xy().cmdZeichnen->click();
        QVERIFY(app().isLoaded<frmGraph2D>());
        const ChartData& data = chart().ChartGroups(1).Data();
        QCOMPARE(data.NumPoints(1), 10);
        QCOMPARE(data.Y(1, 10), 100.0);
        QCOMPARE(d().KurvenAnzahl, 1);
        QVERIFY(d().Diagramm.xMin < 1 && d().Diagramm.xMax > 10);
        QVERIFY(d().Diagramm.yMin < 1 && d().Diagramm.yMax > 100);
        QCOMPARE(chart().ChartGroups(2).Data().NumPoints(1), 0); // nothing else drawn

        // save, clear, load: the same points
        const QString file = fx->filePath("square.XY");
        rec().saveAnswers.push_back(file);
        xy().cmdSave->click();
        QCOMPARE(QString::fromStdString(d().XYDateiName), file);
        const std::string saved = readFile(file);
        QVERIFY(saved.find("\r\n3;9\r\n") != std::string::npos);
        const std::vector<KurvenPunkt> before = xy().points();
        mark({{0, 1}});
        xy().Grid->selectAll();
        rec().msgAnswers.push_back(MsgAnswer::Yes);
        xy().cmdErase->click();
        QCOMPARE(d().AnzahlXYPunkte, 0);
        rec().openAnswers.push_back(file);
        xy().cmdLoad->click();
        QVERIFY(xy().points() == before);

        // "Save Curve to File" of the drawn curve writes the same point lines
        const std::string curve = CurvePointFileText(chart(), 1, d().Trennzeichen);
        QCOMPARE(curve.substr(curve.find("\r\n")), saved.substr(saved.find("\r\n")));
        QCOMPARE(curve.substr(0, curve.find("\r\n")), chart().ChartGroups(1).SeriesLabels().Item(1));

        // with the chart open, a second draw adds a second curve
        xy().cmdZeichnen->click();
        QCOMPARE(d().KurvenAnzahl, 2);
    }

    void xyEditorKeepsTheFilesTitleWhenOpenedAgain()
    {
        fx->writeFile("lit.XY", "Literature 25 C\r\n0;1\r\n1;0,5\r\n");
        mw().mnuEditXY->trigger();
        rec().openAnswers.push_back(fx->filePath("lit.XY"));
        xy().cmdLoad->click();
        QCOMPARE(d().AnzahlXYPunkte, 2);
        // the main window's item unloads the editor and opens it afresh
        mw().mnuEditXY->trigger();
        QCOMPARE(xy().Grid->pointCount(), 2);
        QVERIFY(xy().Grid->typeIntoCell(2, kManuColX, "2"));
        const QString copy = fx->filePath("lit2.XY");
        rec().saveAnswers.push_back(copy);
        xy().cmdSave->click();
        const std::string saved = readFile(copy);
        QCOMPARE(QString::fromStdString(saved.substr(0, saved.find("\r\n"))), QString("Literature 25 C"));
        QVERIFY(saved.find("\r\n2;0\r\n") != std::string::npos);
    }

    void xyEditorValueOperationsAndDeleting()
    {
        d().XYPunkte = {KurvenPunkt{}, KurvenPunkt{1, 2, 0}, KurvenPunkt{3, 4, -1}, KurvenPunkt{5, 6, 0}};
        d().AnzahlXYPunkte = 3;
        mw().mnuEditXY_Click();
        QCOMPARE(xy().Grid->pointCount(), 3);
        QVERIFY(xy().Grid->table().excluded(1));

        // "," is not typed into the value box
        xy().txtWert->clear();
        QTest::keyClicks(xy().txtWert, "2,5");
        QCOMPARE(xy().txtWert->text(), QString("25"));

        xy().txtWert->setText("2");
        mark({{0, kManuColX}, {2, kManuColY}, {1, 0}});
        xy().cmdRechnen[2]->click(); // * value
        QCOMPARE(xy().points()[0].x, 2.0f);
        QCOMPARE(xy().points()[2].y, 12.0f);
        QCOMPARE(xy().points()[1].x, 3.0f);
        QCOMPARE(d().XYPunkte[1].x, 2.0f);
        xy().cmdRechnen[0]->click(); // + value, on the same cells
        QCOMPARE(xy().points()[0].x, 4.0f);

        xy().txtWert->setText("0");
        xy().cmdRechnen[3]->click(); // / 0
        QVERIFY(rec().lastMessage().contains("Division by zero"));
        QCOMPARE(xy().points()[0].x, 4.0f);

        // only the active points are drawn
        xy().cmdZeichnen->click();
        QCOMPARE(d().ManuPunkte[0].x, 2.0f);
        QCOMPARE(chart().ChartGroups(1).Data().NumPoints(1), 2);

        xy().Grid->clearSelection();
        xy().cmdErase->click();
        QCOMPARE(rec().lastMessage(), QString("No marked item!"));
        // lines go only after the question, also when not all are marked
        mark({{1, kManuColY}});
        rec().msgAnswers.push_back(MsgAnswer::No);
        xy().cmdErase->click();
        QCOMPARE(rec().messages.back().title, QString("WARNING"));
        QCOMPARE(d().AnzahlXYPunkte, 3);
        rec().msgAnswers.push_back(MsgAnswer::Yes);
        xy().cmdErase->click();
        QCOMPARE(d().AnzahlXYPunkte, 2);
        // "marked cell(s) => 0" sets the marked cells to 0 and removes no line
        mark({{0, kManuColX}});
        mw().mnuSubDelNull2->trigger();
        QCOMPARE(d().AnzahlXYPunkte, 2);
        QCOMPARE(xy().points()[0], (KurvenPunkt{0, 2, 0}));
        QCOMPARE(xy().points()[1], (KurvenPunkt{5, 14, 0}));
        mark({{0, kManuColY}});
        rec().msgAnswers.push_back(MsgAnswer::Yes);
        mw().mnuSubDelLine2->trigger();
        QCOMPARE(d().AnzahlXYPunkte, 1);

        // a refused paste changes nothing
        QGuiApplication::clipboard()->setText("1\tx\r\n");
        xy().Grid->setCurrentCell(0, kManuColX);
        mw().mnuEdit2_Click(); // opening the pop-up enables Paste for clipboard text
        QVERIFY(mw().mnuPaste2->isEnabled());
        const std::size_t shown = rec().messages.size();
        mw().mnuPaste2->trigger();
        QCOMPARE(rec().messages.size(), shown + 1);
        QVERIFY(rec().lastMessage().contains("Nothing was pasted"));
        QCOMPARE(d().AnzahlXYPunkte, 1);
        QCOMPARE(xy().points()[0], (KurvenPunkt{5, 14, 0}));

        // the chart window's "Manual Curve / Points" opens the editor afresh
        frmManuInput* first = &xy();
        g().mnuManuXY->trigger();
        QCOMPARE(app().isFormLoaded(first), false);
        QVERIFY(app().isLoaded<frmManuInput>());
        QCOMPARE(xy().Grid->pointCount(), 1);

        // without points the editor's pop-up items are off; unloading turns them off too
        app().unload<frmManuInput>();
        QVERIFY(!mw().mnuCopy2->isEnabled());
    }

    void brokenCurveFileIsNamedAndChangesNothing()
    {
        const QString file = fx->filePath("bad.XY");
        fx->writeFile("bad.XY", "T\r\n1;1\r\n2;two\r\n");
        mw().mnuEditXY_Click();
        xy().Grid->typeIntoCell(0, kManuColX, "7");
        rec().openAnswers.push_back(file);
        xy().cmdLoad->click();
        QVERIFY(rec().lastMessage().contains("line 3"));
        QVERIFY(rec().lastMessage().contains("bad.XY"));
        QCOMPARE(d().AnzahlXYPunkte, 1);
        QCOMPARE(xy().points()[0].x, 7.0f);
        QVERIFY(d().XYDateiName.empty());
    }
};

QTEST_MAIN(TestEvalTools)
#include "test_evaltools.moc"
