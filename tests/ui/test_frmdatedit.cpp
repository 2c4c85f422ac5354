// The measured-data editor as a user meets it: new data typed in and
// evaluated, paste, save and load again, the time unit, the edit buttons and
// the pop-up menu.
#include <QtTest>

#include <cmath>
#include <filesystem>
#include <fstream>

#include <QAction>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>

#include "chart_fixture.h"
#include "ui/dataedit/datagrid.h"
#include "ui/dataedit/frmdatedit.h"
#include "ui/evaluation/frmfitting.h"
#include "ui/kinetics/frmkinmodel.h"
#include "ui/shell/fileactions.h"
#include "ui/shell/frmcmndlg.h"

using namespace kinhom;
using kinhom::test::CtPoint;
namespace fs = std::filesystem;

class TestFrmDatedit : public QObject, public test::ChartFixture {
    Q_OBJECT

    MDIKIN& m() { return app().mainWindow(); }
    frmDatedit* editor() { return app().find<frmDatedit>(); }
    DataGrid& grid() { return *editor()->Grid; }

    // Chooses a file in the program's open dialog as soon as it runs.
    void chooseInOpenDialog(const QString& path)
    {
        QTimer::singleShot(0, qApp, [path] {
            frmCmnDlg* dlg = app().find<frmCmnDlg>();
            if (!dlg) return;
            dlg->txtOpenFile->setText(path);
            dlg->cmdOpenOK->click();
            if (app().find<frmCmnDlg>() && dlg->isVisible()) dlg->cmdOpenCancel->click();
        });
    }

    // The number after "= " in the chart's status line.
    double resultK()
    {
        const QRegularExpressionMatch match = QRegularExpression("= ([-0-9.E+]+)").match(g().statusText());
        return match.hasMatch() ? match.captured(1).toDouble() : -1;
    }

private slots:
    void init()
    {
        start(1300, 900);
        rec().messages.clear();
    }
    void cleanup() { stop(); }

    void typedPointsGiveTheFirstOrderRateConstant()
    {
        m().Toolbar1Buttons[2]->trigger(); // "New project": new data
        QVERIFY(editor());
        QCOMPARE(grid().pointCount(), 0);
        const char* c[] = {"1", "0.6065", "0.3679", "0.2231", "0.1353"};
        for (int i = 0; i < 5; ++i) {
            QVERIFY(grid().typeIntoCell(i, frmDatedit::colT, QString::number(5 * i)));
            QVERIFY(grid().typeIntoCell(i, frmDatedit::colA, c[i]));
        }
        QCOMPARE(d().AnzahlPunkte, 5);
        QCOMPARE(d().ExpPunkte[3].t, 10.0);
        QCOMPARE(d().ExpPunkte[3].c[1], 0.3679);
        QVERIFY(d().DatenGeaendert);

        editor()->cmdOK->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!editor());
        QVERIFY(d().ctDaten);
        QCOMPARE(d().c0Exp[1], 1.0f);
        QVERIFY(m().mnuEdit->isEnabled());

        m().mnuctAusw[1]->trigger();
        QVERIFY(app().find<frmGraph2D>());
        QCOMPARE(d().DiagrammTyp, std::int16_t(-5));
        QVERIFY2(std::abs(resultK() - 0.1) < 2e-4, qPrintable(g().statusText()));

        // "View/Edit exper. data" shows the same points again
        m().mnuEdit->trigger();
        QVERIFY(editor());
        QCOMPARE(grid().pointCount(), 5);
        QCOMPARE(grid().item(1, frmDatedit::colA)->text().trimmed(), QString("6.065000E-01"));
    }

    void pasteSaveNewAndLoadGiveTheSameTable()
    {
        m().mnuNeudat->trigger();
        QString rows;
        for (int i = 0; i < 20; ++i)
            rows += QString("%1\t%2\t0,%3\r\n").arg(i * 1.5).arg(std::exp(-0.05 * i), 0, 'g', 6).arg(i);
        QGuiApplication::clipboard()->setText(rows);
        grid().setCurrentCell(0, frmDatedit::colT);
        editor()->cmdClipEinfuegen->click();
        QCOMPARE(d().AnzahlPunkte, 20);
        QCOMPARE(d().ExpPunkte[20].c[2], 0.19);
        QVERIFY(grid().typeIntoCell(4, frmDatedit::colTemp, "298.15")); // an edit after the paste
        grid().item(6, frmDatedit::colExclude)->setCheckState(Qt::Checked);
        QCOMPARE(d().ExpPunkte[7].exclude, std::int16_t(-1));
        const std::vector<ExpPunkt> typed(d().ExpPunkte.begin(), d().ExpPunkte.begin() + 21);

        // a block with a letter changes nothing and names the cell
        QGuiApplication::clipboard()->setText("1\t2\r\n3\t4x\r\n");
        grid().setCurrentCell(0, frmDatedit::colT);
        rec().messages.clear();
        editor()->cmdClipEinfuegen->click();
        QCOMPARE(rec().messages.size(), std::size_t(1));
        QVERIFY2(rec().lastMessage().startsWith("Row 2, column \"c(A)\""), qPrintable(rec().lastMessage()));
        QCOMPARE(std::vector<ExpPunkt>(d().ExpPunkte.begin(), d().ExpPunkte.begin() + 21), typed);

        const QString file = fx->filePath("series.KV3");
        rec().saveAnswers = {file};
        editor()->cmdSave->click();
        QVERIFY(!d().DatenGeaendert);
        QCOMPARE(editor()->txtDateiName->text(), file);

        rec().messages.clear();
        m().mnuNeudat->trigger(); // saved: no question
        QVERIFY(rec().messages.empty());
        QCOMPARE(grid().pointCount(), 0);

        chooseInOpenDialog(file);
        editor()->cmdLoad->click();
        QCOMPARE(d().AnzahlPunkte, 20);
        for (int i = 1; i <= 20; ++i) {
            ExpPunkt expected = typed[std::size_t(i)];
            expected.t = float(expected.t); // times are kept in single precision
            QCOMPARE(d().ExpPunkte[std::size_t(i)], expected);
        }
        QCOMPARE(grid().pointCount(), 20);
        QVERIFY(grid().table().excluded(6));
    }

    void typedValuesAreChecked()
    {
        setPoints({CtPoint({.t = 0, .A = 1}), CtPoint({.t = 5, .A = 0.5})});
        d().ExpPunkte[2].res3 = 7; // what the grid does not show stays with its point
        d().LambdaUnendlich = 3;
        m().mnuEdit->setEnabled(true);
        m().mnuEdit->trigger();
        QVERIFY(!grid().typeIntoCell(1, frmDatedit::colLambda, "1E39"));
        QVERIFY(rec().lastMessage().startsWith("Row 2, column \"lambda\""));
        QVERIFY(!grid().typeIntoCell(0, frmDatedit::colA, "abc"));
        QCOMPARE(d().ExpPunkte[1].c[1], 1.0);
        QVERIFY(!d().DatenGeaendert);
        QVERIFY(grid().typeIntoCell(0, frmDatedit::colT, "-1")); // the file takes it, so does the editor
        grid().sortRowsBy(frmDatedit::colT);
        QCOMPARE(d().ExpPunkte[1].t, -1.0);
        grid().typeIntoCell(0, frmDatedit::colT, "6");
        editor()->cmdSort->click();
        QCOMPARE(d().ExpPunkte[1].t, 5.0);
        QCOMPARE(d().ExpPunkte[1].res3, 7.0f);

        editor()->txtLambdaUnendlich->setText("x1");
        emit editor()->txtLambdaUnendlich->editingFinished();
        QCOMPARE(d().LambdaUnendlich, 3.0);
        QCOMPARE(editor()->txtLambdaUnendlich->text(), QString("3"));
        editor()->txtLambdaUnendlich->setText("4,5");
        emit editor()->txtLambdaUnendlich->editingFinished();
        QCOMPARE(d().LambdaUnendlich, 4.5);
    }

    void timeUnitOfTheModelWindowAndOfTheEditor()
    {
        setPoints({CtPoint({.t = 0, .A = 1}), CtPoint({.t = 60, .A = 0.5}), CtPoint({.t = 120, .A = 0.25})});
        m().mnuEdit->setEnabled(true);
        m().mnuEdit->trigger();
        QCOMPARE(editor()->lblKopf[5]->text(), QString("  time t/s"));

        frmKinModel& model = app().get<frmKinModel>();
        d().k[1] = 0.01;
        model.optZeit[1]->click(); // min
        QCOMPARE(d().ExpPunkte[3].t, 2.0);
        QCOMPARE(grid().item(2, frmDatedit::colT)->text().trimmed(), QString("2.000000E+00"));
        QCOMPARE(editor()->lblKopf[5]->text(), QString("  time t/min"));
        QCOMPARE(static_cast<QGroupBox*>(editor()->Bz1[2])->title(), QString("Time t/min"));
        QVERIFY(editor()->optZeit[1]->isChecked());
        QVERIFY(grid().item(0, 0)->isSelected());

        editor()->optZeit[2]->click(); // h, from the editor
        QCOMPARE(d().Zeiteinheit, std::string("h"));
        QCOMPARE(d().ExpPunkte[3].t, 2.0 / 60);
        QCOMPARE(d().k[1], 0.01 * 3600);
        QVERIFY(model.optZeit[2]->isChecked());
        QVERIFY(d().DatenGeaendert);
    }

    void editButtonsAndThePopUpMenu()
    {
        setPoints({CtPoint({.t = 0, .A = 1}), CtPoint({.t = 5, .A = 0.5}), CtPoint({.t = 10, .A = 0.25})});
        m().mnuEdit->setEnabled(true);
        m().mnuEdit->trigger();
        grid().clearSelection();
        editor()->cmdErase->click();
        QCOMPARE(rec().lastMessage(), QString("No marked item!"));

        grid().setRangeSelected(QTableWidgetSelectionRange(1, frmDatedit::colA, 1, frmDatedit::colA), true);
        m().mnuSubDelNull1->trigger(); // "marked cell(s) => 0"
        QCOMPARE(d().ExpPunkte[2].c[1], 0.0);

        rec().msgAnswers = {MsgAnswer::No};
        m().mnuSubDelLine1->trigger(); // "remove marked line(s)"
        QCOMPARE(rec().messages.back().title, QString("WARNING"));
        QCOMPARE(d().AnzahlPunkte, 3);
        rec().msgAnswers = {MsgAnswer::Yes};
        m().mnuSubDelLine1->trigger();
        QCOMPARE(d().AnzahlPunkte, 2);
        QCOMPARE(d().ExpPunkte[2].t, 10.0);

        grid().setRangeSelected(QTableWidgetSelectionRange(0, frmDatedit::colT, 1, frmDatedit::colA), true);
        m().mnuEdit1_Click(); // opening the pop-up enables its items
        m().mnuCopy1->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("0\t1\r\n10\t0.25\r\n"));

        emit grid().contextMenuRequested(grid().mapToGlobal(QPoint(20, 20)));
        QVERIFY(m().mnuEdit1->isVisible());
        QVERIFY(m().mnuCopy1->isEnabled());
        QVERIFY(m().mnuPaste1->isEnabled());
        m().mnuEdit1->close();
    }

    void newDataAsksBeforeDroppingChangedData()
    {
        setPoints({CtPoint({.t = 0, .A = 1}), CtPoint({.t = 5, .A = 0.5})});
        d().DatenGeaendert = true;
        rec().msgAnswers = {MsgAnswer::Cancel};
        m().mnuNeudat->trigger();
        QCOMPARE(rec().messages.size(), std::size_t(1));
        QCOMPARE(rec().lastMessage(), QString("The experimental data were changed.\r\nSave now?"));
        QCOMPARE(d().AnzahlPunkte, 2);
        QVERIFY(!editor());

        rec().msgAnswers = {MsgAnswer::No};
        m().mnuNeudat->trigger();
        QCOMPARE(d().AnzahlPunkte, 0);
        QVERIFY(editor());
        QCOMPARE(d().Kommentar, std::string()); // New keeps the comment it found
    }

    void anEvaluationChosenWhileTheEditorIsOpenSeesTheTableShown()
    {
        setPoints({CtPoint({.t = 0, .A = 0.5, .B = 0.5}), CtPoint({.t = 2, .A = 0.4, .B = 0.4}),
                   CtPoint({.t = 4, .A = 1 / 3.0, .B = 1 / 3.0})});
        m().mnuEdit->setEnabled(true);
        m().mnuEdit->trigger();
        QVERIFY(grid().typeIntoCell(0, frmDatedit::colB, "0.6")); // no OK
        QCOMPARE(d().c0Exp[2], 0.6f);
        m().mnuctAusw[3]->trigger();
        QCOMPARE(d().DiagrammTyp, std::int16_t(-8)); // different start concentrations now
        QVERIFY(editor());
    }

    void aSessionLoadedWhileTheEditorIsOpenShowsItsData()
    {
        setPoints({CtPoint({.t = 0, .A = 1}), CtPoint({.t = 5, .A = 0.5}), CtPoint({.t = 10, .A = 0.25})});
        m().mnuEdit->setEnabled(true);
        m().mnuEdit->trigger();
        fx->writeFile("two.KV3", "two\r\ns\r\nhdr\r\n2\r\n0,2,0,0,0,0,0,0,0,0,0,0,0\r\n"
                                 "3,1,0,0,0,0,0,0,0,0,0,0,0\r\n");
        fx->writeFile("KinLastSession.KC3", "d\r\ns\r\n" + fx->filePath("two.KV3").toUtf8() +
                                                 "\r\n2\r\n0.1,0,0\r\n0\r\n0\r\n0\r\n0\r\n0,0,0,0\r\n0\r\n0\r\n"
                                                 "0,0\r\nx\r\nx\r\n");
        mnuLoadLastSession_Click();
        QCOMPARE(d().AnzahlPunkte, 2);
        QCOMPARE(grid().pointCount(), 2);
        QVERIFY(grid().typeIntoCell(1, frmDatedit::colA, "0.9")); // an edit keeps the loaded rows
        QCOMPARE(d().AnzahlPunkte, 2);
        QCOMPARE(d().ExpPunkte[1].c[1], 2.0);
        QCOMPARE(d().ExpPunkte[2].c[1], 0.9);
    }

    void loadSelectsTheFilesUnitAndEveryColumnIsShown()
    {
        const QString file = fx->filePath("minutes.KV3");
        fx->writeFile("minutes.KV3", "in minutes\r\nmin\r\nhdr\r\n2\r\n0,1,0,0,0,0,0,0,0,0,0,0,0\r\n"
                                     "5,0.5,0,0,0,0,0,0,0,0,0,0,-1\r\n");
        for (std::uint8_t mode : {1, 2, 6, 7}) { // the fitting tasks hide no column
            d().Arbeitsmodus = mode;
            m().mnuNeudat->trigger();
            for (int c = 0; c < frmDatedit::kColumns; ++c) QVERIFY(!grid().isColumnHidden(c));
        }
        chooseInOpenDialog(file);
        editor()->cmdLoad->click();
        QCOMPARE(d().Zeiteinheit, std::string("min"));
        QCOMPARE(d().ExpPunkte[2].t, 5.0); // nothing converted
        QVERIFY(editor()->optZeit[1]->isChecked());
        QCOMPARE(editor()->txtKommentar->text(), QString("in minutes"));
        QVERIFY(!d().DatenGeaendert);
        QVERIFY(grid().table().excluded(1));
        QVERIFY(m().mnuEdit->isEnabled());
        for (int c = 0; c < frmDatedit::kColumns; ++c) QVERIFY(!grid().isColumnHidden(c));
    }

    // A fit leaves the task mode at fitting; new data must still take k-T
    // points and the ARRHENIUS evaluation must take them.
    void afterAFitNewKTDataGiveTheArrheniusPlot()
    {
        setPoints({CtPoint({.t = 0, .A = 1}), CtPoint({.t = 5, .A = 0.6065}), CtPoint({.t = 10, .A = 0.3679}),
                   CtPoint({.t = 15, .A = 0.2231})});
        m().mnuCtFitting->trigger();
        QVERIFY(app().find<frmFitting>());
        QCOMPARE(d().Arbeitsmodus, std::uint8_t(1));
        app().unload<frmFitting>();
        app().unload<frmGraph2D>();
        rec().messages.clear();

        m().mnuNeudat->trigger();
        QVERIFY(editor());
        QVERIFY(!grid().isColumnHidden(frmDatedit::colTemp));
        QVERIFY(!grid().isColumnHidden(frmDatedit::colK));
        for (int i = 0; i < 3; ++i) {
            const double T = 300 + 10 * i;
            QVERIFY(grid().typeIntoCell(i, frmDatedit::colTemp, QString::number(T)));
            QVERIFY(grid().typeIntoCell(i, frmDatedit::colK, QString::number(1e10 * std::exp(-50000 / (8.3145 * T)), 'g', 15)));
        }
        QVERIFY(d().kTDaten);
        m().mnukT[1]->trigger();
        QVERIFY2(rec().messages.empty(), qPrintable(rec().lastMessage()));
        QVERIFY(app().find<frmGraph2D>());
        QCOMPARE(d().DiagrammTyp, std::int16_t(-3));
        QVERIFY2(g().statusText().contains("EA/ (kJ/mol) = 50.00"), qPrintable(g().statusText()));
    }

    // "New  exper. data" with the table still empty: each evaluation refuses
    // with its own text and no chart opens.
    void emptyNewDataIsRefusedByEveryEvaluation()
    {
        std::vector<ExpPunkt> all;
        for (int i = 0; i < 4; ++i) {
            ExpPunkt p = CtPoint({.t = 5.0 * i, .A = 1.0 / (1 + i), .B = 0.5});
            p.T = 300 + 10 * i;
            p.k = 0.01 * (i + 1);
            p.lambda = 10.0f - float(i);
            all.push_back(p);
        }
        setPoints(all);
        d().LambdaUnendlich = 3;
        AnalyzeExpData(d());
        m().mnuCtFitting->trigger(); // a fitting window stays open meanwhile
        QVERIFY(app().find<frmFitting>());
        app().unload<frmGraph2D>();
        rec().messages.clear();
        m().mnuNeudat->trigger();
        QVERIFY(editor());
        const QString ct = "No or not enough experimental c-t data\r\nInput data (=> Data / New  exper. data)";
        struct Item {
            QAction* action;
            QString text;
        };
        const Item items[] = {
            {m().mnuctAusw[1], ct},
            {m().mnuctAusw[3], ct},
            {m().mnuLambdaAusw[1], "No or not enough experimental lambda data!\r\nInput data (=> Data / New  exper. data)"},
            {m().mnukT[1], "First load or input experimental points k - T!"},
            {m().mnukT[2], "First load or input experimental points k - T!"},
            {m().mnuNonIsothermFitting[1], "No or not enough experimental t-c-T data\r\nInput data (=> Data / New  exper. data)"},
            {m().mnuNonIsothermFitting[2], "No or not enough experimental t-c-T data\r\nInput data (=> Data / New  exper. data)"},
            {m().mnuCtFitting, ct},
            {m().mnuROFitting, ct},
            {m().mnuSubTangente[1], "First load or input experimental points c(A) - t!"},
            {m().mnuSubTangente[5], "First load or input experimental points c(Q) - t!"},
        };
        for (const Item& item : items) {
            rec().messages.clear();
            item.action->setEnabled(true);
            item.action->trigger();
            QVERIFY2(rec().messages.size() == 1, qPrintable(item.action->text() + ": " + rec().lastMessage()));
            QCOMPARE(rec().messages.back().text, item.text);
            QCOMPARE(rec().messages.back().title, QString("Execution not possible"));
            QVERIFY(!app().find<frmGraph2D>());
        }
        // the tangent items are not even offered
        emit m().mnuCalcTangente->aboutToShow();
        for (int i = 1; i <= 5; ++i) QVERIFY(!m().mnuSubTangente[std::size_t(i)]->isEnabled());
    }

    void pastedCaptionLineIsLeftOutAndSaid()
    {
        m().mnuNeudat->trigger();
        QGuiApplication::clipboard()->setText("time\tc(A)\r\n0\t1\r\n5\t0,5\r\n");
        grid().setCurrentCell(0, frmDatedit::colT);
        editor()->cmdClipEinfuegen->click();
        QCOMPARE(d().AnzahlPunkte, 2);
        QCOMPARE(d().ExpPunkte[2].c[1], 0.5);
        QCOMPARE(rec().messages.size(), std::size_t(1));
        QCOMPARE(rec().messages[0].icon, MsgIcon::Information);
        QVERIFY2(rec().lastMessage().contains("(\"time\", \"c(A)\")"), qPrintable(rec().lastMessage()));
        QVERIFY(d().ctDaten);
    }

    void negativeLambdaInfinityIsRefusedWithItsReason()
    {
        m().mnuNeudat->trigger();
        editor()->txtLambdaUnendlich->setText("2.5");
        emit editor()->txtLambdaUnendlich->editingFinished();
        QCOMPARE(d().LambdaUnendlich, 2.5);
        editor()->txtLambdaUnendlich->setText("-1.5");
        emit editor()->txtLambdaUnendlich->editingFinished();
        QCOMPARE(d().LambdaUnendlich, 2.5);
        QCOMPARE(editor()->txtLambdaUnendlich->text(), QString("2.5"));
        QCOMPARE(rec().messages.size(), std::size_t(1));
        QVERIFY2(rec().lastMessage().contains("Shift all readings"), qPrintable(rec().lastMessage()));
        QVERIFY(rec().lastMessage().contains("lambda(t = infin.) > 0"));

        // a data file's negative value is not taken, and the load says so
        const QString file = fx->filePath("neg.KV3");
        fx->writeFile("neg.KV3", "sucrose\r\nmin\r\nhdr\r\n2\r\n0,0,0,0,0,0,0,0,20,-4.5,0,0,0\r\n"
                                 "5,0,0,0,0,0,0,0,15,-4.5,0,0,0\r\n");
        rec().messages.clear();
        chooseInOpenDialog(file);
        editor()->cmdLoad->click();
        QCOMPARE(d().AnzahlPunkte, 2);
        QCOMPARE(rec().messages.size(), std::size_t(1));
        QCOMPARE(rec().messages[0].title, QString("message from LoadDataFile"));
        QVERIFY2(rec().lastMessage().contains("= -4.5; it was not taken"), qPrintable(rec().lastMessage()));
    }
};

QTEST_MAIN(TestFrmDatedit)
#include "test_frmdatedit.moc"
