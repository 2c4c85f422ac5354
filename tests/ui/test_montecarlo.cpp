// The Monte-Carlo window: the menu opens it afresh for its task, a run steps on
// its timer and stops, closing mid-run leaves no timer running, bad settings
// are refused, the field is a full rectangle, and the options reach an open
// window through Refresh.
#include <algorithm>
#include <cmath>
#include <map>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "shell_fixture.h"
#include "ui/chart/chartview.h"
#include "ui/montecarlo/frmmontecarlo.h"
#include "ui/shell/frmoption.h"
#include "ui/shell/frmtip.h"
#include "ui/shell/mdikin.h"

using namespace kinhom;
using kinhom::test::ShellFixture;
using kinhom::test::StartUp;

class TestMonteCarlo : public QObject {
    Q_OBJECT
private slots:
    void menuOpensTheWindowAfreshForItsTask()
    {
        ShellFixture f;
        StartUp(*f.app);
        MDIKIN& m = f.app->mainWindow();
        QVERIFY(m.mnuSubMonteCarlo[0]->isEnabled());
        QVERIFY(m.mnuSubMonteCarlo[1]->isEnabled());

        m.mnuSubMonteCarlo[0]->trigger();
        QCOMPARE(int(f.app->declare().MCModus), 1);
        QVERIFY(!f.app->isLoaded<frmTip>());
        frmMonteCarlo* w = f.app->find<frmMonteCarlo>();
        QVERIFY(w && w->isVisible());
        QVERIFY(!w->txtP2->isVisibleTo(w));
        QCOMPARE(w->field()->CountA(), 400);

        m.mnuSubMonteCarlo[1]->trigger();
        frmMonteCarlo* w2 = f.app->find<frmMonteCarlo>();
        QCOMPARE(int(f.app->declare().MCModus), 2);
        QVERIFY(w2 != w);  // unloaded and opened again
        QVERIFY(w2->txtP2->isVisibleTo(w2));
        QCOMPARE(w2->txtP1->text(), QString("0.1"));
        QVERIFY(f.rec->messages.empty());
    }

    void runStepsStopsAndCloses()
    {
        ShellFixture f;
        StartUp(*f.app);
        f.app->declare().MCVerzoegerung = 0;
        f.app->mainWindow().mnuSubMonteCarlo[0]->trigger();
        frmMonteCarlo* w = f.app->find<frmMonteCarlo>();
        w->txtSchritte->setText("1000");
        w->nextSeed = 5;
        w->cmdStart->click();
        QVERIFY(w->running());
        QVERIFY(!w->cmdStart->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(w->field()->StepNumber() >= 3, 5000);

        // Stop halts at once: no further step comes.
        w->cmdStop->click();
        QVERIFY(!w->running());
        const int stopped = w->field()->StepNumber();
        QTest::qWait(200);
        QCOMPARE(w->field()->StepNumber(), stopped);
        // The chart holds one point per step so far, and the expected course.
        const ChartData& data = w->Chart2D1->chart().ChartGroups(1).Data();
        QCOMPARE(data.NumPoints(1), stopped + 1);
        QCOMPARE(data.Y(1, stopped + 1), double(w->field()->CountA()));
        QCOMPARE(data.NumPoints(3), 1001);
        QCOMPARE(data.Y(3, 15), 400 * std::pow(0.95, 14));

        // Closing during a run ends it cleanly.
        w->cmdStart->click();
        QVERIFY(w->running());
        QTimer* timer = w->tmrSchritt;
        QPointer<QTimer> guard(timer);
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(!f.app->isLoaded<frmMonteCarlo>());
        QVERIFY(!guard || !guard->isActive());
        QTest::qWait(100);  // the window is deleted; no step may reach it
        QVERIFY(!guard);
    }

    void aRunEndsAfterItsSteps()
    {
        ShellFixture f;
        StartUp(*f.app);
        f.app->mainWindow().mnuSubMonteCarlo[1]->trigger();
        frmMonteCarlo* w = f.app->find<frmMonteCarlo>();
        w->txtSchritte->setText("5");
        w->cmdStart->click();
        QTRY_VERIFY_WITH_TIMEOUT(!w->running(), 5000);
        QCOMPARE(w->field()->StepNumber(), 5);
        QVERIFY(w->cmdStart->isEnabled());
        QVERIFY(!w->cmdStop->isEnabled());
        QVERIFY(w->lblSchritt->text().contains("5 of 5"));
    }

    void badSettingsAreRefused()
    {
        ShellFixture f;
        StartUp(*f.app);
        f.app->mainWindow().mnuSubMonteCarlo[1]->trigger();
        frmMonteCarlo* w = f.app->find<frmMonteCarlo>();
        w->txtAnzahl->setText("20000");
        w->txtP1->setText("1,5");
        w->txtP2->setText("abc");
        w->cmdStart->click();
        QVERIFY(!w->running());
        QCOMPARE(f.rec->messages.size(), std::size_t(1));
        const MessageRequest& m = f.rec->messages[0];
        QCOMPARE(m.title, QString("Execution not possible"));
        QVERIFY(m.text.contains("number of particles N"));
        QVERIFY(m.text.contains("p1"));
        QVERIFY(m.text.contains("p2"));
        QVERIFY(!m.text.contains("steps"));
        QCOMPARE(w->field()->size(), 400);  // the field shown stays
        w->txtAnzahl->setText("12.5");
        w->cmdStart->click();
        QVERIFY(f.rec->lastMessage().contains("number of particles N"));
    }

    // 21 particles in the window's field: rows that span the whole field and
    // differ by at most one particle (the old grid put 5 rows of 5 with one
    // particle alone on the last row), and every particle inside the field.
    void theFieldIsAFullRectangle()
    {
        ShellFixture f;
        StartUp(*f.app);
        f.app->mainWindow().mnuSubMonteCarlo[0]->trigger();
        frmMonteCarlo* w = f.app->find<frmMonteCarlo>();
        for (const char* count : {"21", "401", "400", "7", "1"}) {
            w->txtAnzahl->setText(count);
            w->cmdStart->click();
            w->cmdStop->click();
            const std::vector<QPointF> centres = w->picFeld->particleCentres();
            QCOMPARE(int(centres.size()), QString(count).toInt());
            std::map<double, std::vector<double>> rows; // y -> x of the row's particles
            for (const QPointF& c : centres) {
                QVERIFY(w->picFeld->rect().contains(c.toPoint()));
                rows[c.y()].push_back(c.x());
            }
            std::size_t shortest = centres.size(), longest = 0;
            for (const auto& [y, xs] : rows) {
                shortest = std::min(shortest, xs.size());
                longest = std::max(longest, xs.size());
                // Each row's outer particles sit half a cell from the field's edges.
                const double cell = (w->picFeld->width() - 8.0) / double(xs.size());
                QVERIFY(std::fabs(*std::min_element(xs.begin(), xs.end()) - (4 + cell / 2)) < 1e-6);
                QVERIFY(std::fabs(*std::max_element(xs.begin(), xs.end()) - (w->picFeld->width() - 4 - cell / 2)) < 1e-6);
            }
            QVERIFY2(longest - shortest <= 1, count);
        }
    }

    void optionsApplyThroughRefresh()
    {
        ShellFixture f;
        StartUp(*f.app);
        Declare& d = f.app->declare();
        QCOMPARE(d.Punktgroesse, std::int16_t(4));
        f.app->mainWindow().mnuSubMonteCarlo[0]->trigger();
        frmMonteCarlo* w = f.app->find<frmMonteCarlo>();
        QCOMPARE(w->picFeld->look().size, 4);
        QVERIFY(!w->picFeld->look().solid);

        f.rec->colorAnswers = {QColor(0, 128, 0)};
        QTimer::singleShot(0, [&] {
            frmOption* o = f.app->find<frmOption>();
            QCOMPARE(o->txtPunktgroesse->value(), 4);
            o->txtPunktgroesse->setValue(9);
            o->chkPunkteSolid->setChecked(true);
            o->cmdFarbeA->click();
            o->cmdOK->click();
        });
        f.app->mainWindow().mnuOption->trigger();
        QCOMPARE(w->picFeld->look().size, 9);
        QVERIFY(w->picFeld->look().solid);
        QCOMPARE(w->picFeld->look().colourA, QColor(0, 128, 0));
        QCOMPARE(w->Chart2D1->chart().ChartGroups(1).Styles(1).LineStyle().Color(), RGB(0, 128, 0));
    }
};

QTEST_MAIN(TestMonteCarlo)
#include "test_montecarlo.moc"
