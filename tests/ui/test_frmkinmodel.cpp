#include <QtTest>

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>

#include "sim_fixture.h"
#include "ui/evaluation/frmfitting.h"
#include "ui/kinetics/frmmatrix.h"
#include "ui/reactors/frmbatch.h"
#include "ui/reactors/frmrkconti.h"
#include "ui/shell/modellinputform.h"

using namespace kinhom;
using namespace kinhom::test;

namespace {

// What the set-up window shows for a model: the species boxes in use (A, B,
// C, P, Q), the rate-constant boxes in use (k1, k2, k3), the captions of the
// rate constants in use and the default constants as written.
struct ModelView {
    int model;
    const char* species;
    const char* constants;
    const char* captions[3];
    const char* k[3];
    const char* name;
};

const ModelView kModelViews[] = {
    {1, "10010", "100", {"k1", "", ""}, {" 0.015", " 0.2", " 0"}, "A => P   (n = 0)"},
    {2, "10010", "100", {"k1", "", ""}, {" 0.15", " 0.2", " 0"}, "A => P   (n = 1)"},
    {3, "10010", "100", {"k1", "", ""}, {" 0.15", " 0.2", " 0"}, "2A => P   (n = 2)"},
    {4, "11010", "100", {"k1", "", ""}, {" 0.15", " 0.2", " 0"}, "A + B => P   (n = 2)"},
    {5, "10010", "100", {"k1", "", ""}, {" 0.15", " 0.2", " 0"}, "A => P   (autocatalysis)"},
    {6, "10110", "110", {"k1", "k2", ""}, {" 0.15", " 0.1", " 0"}, "A => C => P"},
    {7, "11110", "110", {"k1", "k2", ""}, {" 0.15", " 0.05", " 0"}, "A + B => C; A + C => P"},
    {8, "10010", "110", {"k>", "k<", ""}, {" 0.5", " 0.1", " 0"}, "A <=> P"},
    {9, "11110", "110", {"k1", "k2", ""}, {" 0.15", " 0.1", " 0"}, "A + B => C => P"},
    {10, "11110", "111", {"k>", "k<", "k3"}, {" 0.15", " 0.1", " 0.005"}, "E + S <=> ES => P + E"},
    {11, "10011", "110", {"k1", "k2", ""}, {" 0.15", " 0.05", " 0"}, "A => P; A => Q"},
    {12, "11010", "110", {"k>", "k<", ""}, {" 0.15", " 0.01", " 0"}, "A + B <=> 2P"},
    {13, "11110", "111", {"k1", "k>", "k<"}, {" 0.15", " 0.1", " 0.005"}, "A + B => C <=> P"},
    {14, "10110", "111", {"k1", "k>", "k<"}, {" 0.15", " 0.1", " 0.005"}, "A => C <=> P"},
    {15, "10110", "111", {"k>", "k<", "k3"}, {" 0.15", " 0.1", " 0.005"}, "A <=> C => P"},
    {16, "10011", "100", {"k1", "", ""}, {" 0.15", " 0.2", " 0"}, "A => P + Q (autocatalysis P)"},
    {17, "11010", "110", {"k1", "k2", ""}, {" 0.15", " 0.01", " 0"}, "A + B <=> P"},
    {18, "11110", "111", {"k>", "k<", "k3"}, {" 0.15", " 0.1", " 0.005"}, "A + B <=> C => P"},
    {20, "10010", "100", {"k1", "", ""}, {" 0.15", " 0.2", " 0"}, "A => P, n-th order  (n = 1.50)"},
};

// A window with the controls of an input window that is no input window of
// the search.
class FakeOther : public ModellInputForm {
public:
    FakeOther()
    {
        setObjectName("frmOther");
        for (int i = 0; i <= 14; ++i) {
            Inp[std::size_t(i)] = new QLineEdit(this);
            NameControl(Inp[std::size_t(i)], "Inp", i);
        }
        for (int i = 0; i <= 9; ++i) {
            lblStoff[std::size_t(i)] = new QLabel("?", this);
            NameControl(lblStoff[std::size_t(i)], "lblStoff", i);
        }
        Label7 = new QLabel(this);
        NameControl(Label7, "Label7");
    }
};

} // namespace

class TestFrmKinModel : public QObject {
    Q_OBJECT
private slots:
    // Every model relabels the simulation set-up window: species and rate
    // constant boxes, captions, model line and the values of the model.
    void relabelsTheSetupWindowForEveryModel()
    {
        SimFixture f;
        frmPrepareTimeDiagram& s = f.setup();
        f.model();
        for (const ModelView& v : kModelViews) {
            const QString m = QString("model %1").arg(v.model);
            f.choose(v.model);
            QCOMPARE(f.d().ModellNr, v.model);
            for (int i = 0; i < 5; ++i) {
                const bool used = v.species[i] == '1';
                QVERIFY2(Shown(&s, QString("Inp_%1").arg(i)) == used, qPrintable(m));
                QVERIFY2(Shown(&s, QString("lblStoff_%1").arg(i)) == used, qPrintable(m));
            }
            for (int i = 5; i <= 9; ++i) {
                QVERIFY2(!Shown(&s, QString("Inp_%1").arg(i)), qPrintable(m));
                QCOMPARE(Text(&s, QString("Inp_%1").arg(i)), QString(" 0"));
                QVERIFY(Ctl<QLineEdit>(&s, QString("Inp_%1").arg(i))->isReadOnly());
            }
            for (int j = 0; j < 3; ++j) {
                const bool used = v.constants[j] == '1';
                QVERIFY2(Shown(&s, QString("Inp_%1").arg(10 + j)) == used, qPrintable(m));
                QVERIFY2(Shown(&s, QString("Bz_%1").arg(5 + j)) == used, qPrintable(m));
                if (j > 0)
                    QVERIFY2(Shown(&s, QString("unit%1").arg(j + 1)) == used, qPrintable(m));
                if (used)
                    QCOMPARE(Text(&s, QString("Bz_%1").arg(5 + j)), QString(v.captions[j]));
                QCOMPARE(Text(&s, QString("Inp_%1").arg(10 + j)), QString(v.k[j]));
            }
            QCOMPARE(Text(&s, "Label7"), "kinet. model:  " + QString(v.name));
            QCOMPARE(Text(&s, "Inp_0"), QString(" 1"));
            QCOMPARE(Text(&s, "Inp_14"), QString(" 100"));
            QCOMPARE(Shown(&s, "fraMichaelis"), v.model == 10);
            QCOMPARE(Shown(&s, "lblMichaelisK"), v.model == 10);
            const QString first3 = Text(&s, "lblStoff_0") + Text(&s, "lblStoff_1") + Text(&s, "lblStoff_2");
            QCOMPARE(first3, QString(v.model == 10 ? "ESES" : "ABC"));
        }
        // The unit of k1 follows the reaction order (model 20's depends on n).
        f.choose(3);
        QCOMPARE(Text(&s, "unit1"), QString("/(l/(s*mol))"));
    }

    // The captions and values of k1 and k2 in the fitting task modes.
    void rateConstantCaptionsFollowTheTaskMode()
    {
        SimFixture f;
        frmPrepareTimeDiagram& s = f.setup();
        f.d().Arbeitsmodus = 2;
        f.d().Ordnung = 2.25f;
        f.model().txtOrdnung->setText("2.25");
        f.choose(20);
        QCOMPARE(Text(&s, "Bz_6"), QString("n"));
        QVERIFY(Shown(&s, "Inp_11"));
        QCOMPARE(Text(&s, "Inp_11"), QString(" 2.25"));
        QCOMPARE(f.d().k[2], 2.25);

        f.d().Arbeitsmodus = 6;
        f.d().ArrheniusA = 1.5e7;
        f.d().ArrheniusEA = 80000;
        f.choose(2);
        QCOMPARE(Text(&s, "Bz_5"), QString("Arrhenius-A"));
        QCOMPARE(Text(&s, "Bz_6"), QString("EA"));
        QCOMPARE(Text(&s, "Inp_10"), QString(" 1.5E+07"));
        QCOMPARE(Text(&s, "Inp_11"), QString(" 80000"));
    }

    // Start concentrations the user gave survive a model change; only zero
    // ones take the model's default.
    void startConcentrationsSurviveModelChanges()
    {
        SimFixture f;
        frmPrepareTimeDiagram& s = f.setupWith(12);
        QCOMPARE(Text(&s, "Inp_1"), QString(" 0.5"));
        f.choose(4);
        QCOMPARE(f.d().c0[2], 0.5);
        f.d().c0[1] = 0.25;
        f.choose(2);
        QCOMPARE(Text(&s, "Inp_0"), QString(" 0.25"));
    }

    void autocatalysisSeedWithTheSetupWindowOpen()
    {
        SimFixture f;
        frmPrepareTimeDiagram& s = f.setupWith(2);
        QCOMPARE(f.d().c0[4], 0.0);
        f.choose(16);
        QCOMPARE(f.d().c0[4], 0.002);
        QCOMPARE(Text(&s, "Inp_2"), QString(" 0"));
        f.choose(5);
        QCOMPARE(f.d().c0[4], 0.002);
        QCOMPARE(Text(&s, "Inp_3"), QString(" 0.002"));
        f.choose(2);
        QCOMPARE(f.d().c0[4], 0.0);
        QCOMPARE(Text(&s, "Inp_3"), QString(" 0"));

        // The seed follows the box of C: at 0 the seed is set again ...
        f.d().c0[4] = 0.0021;
        f.choose(5);
        QCOMPARE(f.d().c0[4], 0.002);
        // ... otherwise a start value of P that is not the seed stays.
        f.d().c0[3] = 0.3;
        f.d().c0[4] = 0.0021;
        f.choose(6);
        QCOMPARE(Text(&s, "Inp_2"), QString(" 0.3"));
        f.choose(5);
        QCOMPARE(f.d().c0[4], 0.0021);
        f.choose(2);
        QCOMPARE(f.d().c0[4], 0.0021);
    }

    // With no input window open the choice sets the shared state only; the
    // seed is then not taken back.
    void withNoInputWindowNothingIsAddressed()
    {
        SimFixture f;
        FakeOther& other = f.app->get<FakeOther>();
        f.choose(5);
        QCOMPARE(f.d().c0[4], 0.002);
        f.choose(7);
        QCOMPARE(f.d().Stoffmuster, std::string("11110"));
        QCOMPARE(f.d().kMuster, std::string("110"));
        QCOMPARE(f.d().Stoechiometrie(1, 2), -1.0f);
        QCOMPARE(f.d().Stoechiometrie(4, 2), 1.0f);
        QCOMPARE(f.d().c0[4], 0.002);
        QCOMPARE(frmKinModel::FirstInputWindow(), static_cast<ModellInputForm*>(nullptr));
        QCOMPARE(other.Label7->text(), QString());
        QCOMPARE(other.Inp[0]->text(), QString());

        // A start value of P that is not the seed survives both rules.
        f.d().c0[4] = 0.0021;
        f.choose(16);
        f.choose(2);
        QCOMPARE(f.d().c0[4], 0.0021);
    }

    // Of the batch and the fitting window only the batch window (the first
    // in the search order) shows the new model, with its final concentrations
    // and its reaction time.
    void onlyTheFirstInputWindowShowsTheModel()
    {
        SimFixture f;
        frmFitting& fit = f.app->show<frmFitting>();
        frmBatch& batch = f.app->show<frmBatch>();
        const QString fitLine = Text(&fit, "Label7");
        f.d().Reaktionszeit = 7;
        f.d().tEnde = 42;
        f.choose(11);
        QCOMPARE(Text(&batch, "Label7"), QString("kinet. model:  A => P; A => Q"));
        QCOMPARE(Text(&fit, "Label7"), fitLine);
        for (int i = 0; i < 5; ++i) {
            const bool used = QString("10011")[i] == '1';
            QCOMPARE(!batch.Inp[std::size_t(i)]->isHidden(), used);
            QCOMPARE(!batch.Inp[std::size_t(i + 5)]->isHidden(), used);
            QCOMPARE(!batch.lblStoff[std::size_t(i + 5)]->isHidden(), used);
            QVERIFY(batch.Inp[std::size_t(i + 5)]->isReadOnly());
        }
        QCOMPARE(Text(&batch, "lblStoff_9"), QString("Q"));
        QCOMPARE(batch.Inp[14]->text(), QString(" 7")); // the reaction time
        QCOMPARE(batch.cmdShowKsi->toolTip(), QString("... both this direction => "));
        QCOMPARE(batch.fraKsi->toolTip(), batch.cmdShowKsi->toolTip());
        QVERIFY(!batch.cmdShowKsi->isEnabled());
        QVERIFY(batch.isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == &batch);
        f.choose(2);
        QCOMPARE(batch.cmdShowKsi->toolTip(), QString());

        // Alone, the fitting window shows it, with t(max) and its species choice.
        f.app->unload<frmBatch>();
        f.d().DatenVorhanden[1] = true;
        f.choose(4);
        QCOMPARE(Text(&fit, "Label7"), QString("kinet. model:  A + B => P   (n = 2)"));
        QCOMPARE(Text(&fit, "Inp_14"), QString(" 42"));
        QVERIFY(Shown(&fit, "Inp_1") && !Shown(&fit, "Inp_2") && !Shown(&fit, "Inp_11"));
        QVERIFY(!fit.chkConcFQS[1]->isHidden() && fit.chkConcFQS[1]->isEnabled() && fit.chkConcFQS[1]->isChecked());
        QVERIFY(!fit.chkConcFQS[2]->isHidden() && !fit.chkConcFQS[2]->isEnabled());
        QVERIFY(fit.chkConcFQS[3]->isHidden());
    }

    // The stirred tank's time box holds tau, a result: a new model writes
    // neither the reaction time nor t(max) into it.
    void theStirredTankKeepsTauForItsResult()
    {
        SimFixture f;
        frmRKconti& tank = f.app->show<frmRKconti>();
        f.d().Reaktionszeit = 7;
        f.d().tEnde = 42;
        f.choose(6);
        QCOMPARE(Text(&tank, "Label7"), QString("kinet. model:  A => C => P"));
        QCOMPARE(Text(&tank, "Inp_14"), QString());
        QVERIFY(Shown(&tank, "Inp_7") && !Shown(&tank, "Inp_6"));
        QCOMPARE(Text(&tank, "Inp_10"), QString(" 0.15"));
    }

    void diagramCodeAndEndTime()
    {
        SimFixture f;
        f.d().tEnde = 0;
        f.choose(2);
        QCOMPARE(f.d().DiagrammTyp, std::int16_t(2));
        QCOMPARE(f.d().tEnde, 100.0f);

        f.d().tEnde = 0;
        f.d().RateDiagramm = true;
        f.choose(9);
        QCOMPARE(f.d().DiagrammTyp, std::int16_t(59));
        QCOMPARE(f.d().tEnde, 60.0f);
        f.d().tEnde = 7;
        f.choose(2);
        QCOMPARE(f.d().tEnde, 7.0f);

        // The fitting diagram keeps its code while the fitting is prepared.
        f.d().Arbeitsmodus = 1;
        f.d().DiagrammTyp = -9;
        f.choose(4);
        QCOMPARE(f.d().DiagrammTyp, std::int16_t(-9));
        f.d().DiagrammTyp = 3;
        f.choose(4);
        QCOMPARE(f.d().DiagrammTyp, std::int16_t(4));
    }

    void orderOfModel20()
    {
        SimFixture f;
        frmPrepareTimeDiagram& s = f.setup();
        frmKinModel& m = f.model();
        QCOMPARE(m.txtOrdnung->text(), QString(" 1.5"));
        QVERIFY(!m.txtOrdnung->isEnabled());

        m.txtOrdnung->setText("2.5");
        f.choose(20);
        QVERIFY(m.txtOrdnung->isEnabled());
        QCOMPARE(f.d().Ordnung, 2.5f);
        QCOMPARE(f.d().Stoechiometrie(1, 1), -2.5f);
        QCOMPARE(Text(&s, "Label7"), QString("kinet. model:  A => P, n-th order  (n = 2.50)"));

        // A typed comma arrives as a point; other characters are refused; every
        // key applies model 20 again (its default k1).
        f.d().k[1] = 9;
        m.txtOrdnung->setFocus();
        m.txtOrdnung->setText("3");
        m.txtOrdnung->setCursorPosition(1);
        QTest::keyClick(m.txtOrdnung, Qt::Key_Comma);
        QTest::keyClick(m.txtOrdnung, Qt::Key_X);
        QTest::keyClick(m.txtOrdnung, Qt::Key_5);
        QCOMPARE(m.txtOrdnung->text(), QString("3.5"));
        QCOMPARE(f.d().Ordnung, 3.5f);
        QCOMPARE(f.d().k[1], 0.15);
        QCOMPARE(f.d().ModellNr, std::int16_t(20));

        // A pasted "2,5" is read as 2.5 by the box, while the model choice
        // reads the box only up to the comma.
        QGuiApplication::clipboard()->setText("2,5");
        m.txtOrdnung->selectAll();
        QTest::keyClick(m.txtOrdnung, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(m.txtOrdnung->text(), QString("2,5"));
        QCOMPARE(f.d().Ordnung, 2.5f);
        f.choose(20);
        QCOMPARE(f.d().Ordnung, 2.0f);
    }

    void fontsMarkTheChosenModel()
    {
        SimFixture f;
        frmKinModel& m = f.model();
        f.choose(13);
        QVERIFY(m.optTyp[13]->isChecked());
        QVERIFY(m.optTyp[13]->font().bold());
        QCOMPARE(m.optTyp[13]->font().pointSize(), 9);
        QVERIFY(m.lbl13->font().bold());
        QVERIFY(!m.optTyp[2]->font().bold());
        f.choose(2);
        QVERIFY(!m.optTyp[13]->font().bold());
        QCOMPARE(m.optTyp[13]->font().pointSize(), 8);
        QVERIFY(!m.lbl13->font().bold());
    }

    // The matrix window shows the model's coefficients and follows the choice.
    void matrixWindowFollowsTheModel()
    {
        SimFixture f;
        frmKinModel& m = f.model();
        f.choose(3);
        m.cmdShowMatrix->click();
        QVERIFY(f.app->isLoaded<frmmatrix>());
        frmmatrix* w = f.app->find<frmmatrix>();
        const QString gap(16, ' ');
        QCOMPARE(w->Label10->text(), QString("2A => P   (n = 2)"));
        QCOMPARE(w->lblA->text(), "-2" + gap + " 0" + gap + " 0");
        QCOMPARE(w->lblP->text(), " 1" + gap + " 0" + gap + " 0");
        QCOMPARE(w->RowLabel[4]->text(), QString("A"));

        m.txtOrdnung->setText("1.5");
        f.choose(20);
        w = f.app->find<frmmatrix>();
        QVERIFY(w);
        QCOMPARE(w->Label10->text(), QString("A => P, n-th order  (n = 1.50)"));
        QCOMPARE(w->lblA->text(), "-1.5" + gap + " 0" + gap + " 0");
        // The longer row still fits: the window is as wide as its rows need.
        QCoreApplication::processEvents();
        for (QLabel* row : {w->lblA, w->lblP}) {
            QVERIFY2(row->width() >= row->sizeHint().width(), qPrintable(row->text()));
            const QRect inWindow(row->mapTo(w, QPoint(0, 0)), row->size());
            QVERIFY(w->rect().contains(inWindow));
        }

        f.choose(10);
        w = f.app->find<frmmatrix>();
        QCOMPARE(w->RowLabel[4]->text() + w->RowLabel[5]->text() + w->RowLabel[6]->text(), QString("ESES"));
        // E: -1 in the binding step, +1 back in both later steps.
        QCOMPARE(w->lblA->text(), "-1" + gap + " 1" + gap + " 1");
        w->Close->click();
        QVERIFY(!f.app->isLoaded<frmmatrix>());
    }

    // A change of the time unit converts measured times and rate constants.
    void timeUnitChoice()
    {
        SimFixture f;
        frmPrepareTimeDiagram& s = f.setup();
        frmKinModel& m = f.model();
        QVERIFY(m.optZeit[0]->isChecked());
        QCOMPARE(m.lblRecalcTime->text(), QString());
        Declare& d = f.d();
        d.ExpPunkte.resize(2);
        d.ExpPunkte[1].t = 7200;
        d.AnzahlPunkte = 1;
        d.k[1] = 0.001;
        m.optZeit[2]->click();
        QCOMPARE(d.Zeiteinheit, std::string("h"));
        QCOMPARE(d.ExpPunkte[1].t, 2.0);
        QCOMPARE(d.k[1], 3.6);
        QVERIFY(m.optZeit[2]->font().bold());
        QVERIFY(!m.optZeit[0]->font().bold());
        QCOMPARE(Text(&s, "unit4"), QString("h"));
        QCOMPARE(Text(&s, "unit1"), QString("/(1/h)"));
        m.Form_Activate();
        QCOMPARE(m.lblRecalcTime->text(),
                 QString("Note: Each changing of the time unit leads to a respective recalculation of the time column."));

        // A fresh model window selects the current unit and converts nothing.
        f.app->unload<frmKinModel>();
        d.k[1] = 0.5;
        frmKinModel& again = f.model();
        QVERIFY(again.optZeit[2]->isChecked());
        QCOMPARE(d.ExpPunkte[1].t, 2.0);
    }
};

QTEST_MAIN(TestFrmKinModel)
#include "test_frmkinmodel.moc"
