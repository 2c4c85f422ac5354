// The keys that no filtered number box may lose: Tab and Shift+Tab leave the
// box, Esc reaches the window (and closes it where its button says so), the
// navigation keys move in it and Ctrl+A/C/X/V/Z edit it, in every box with
// the numeric key filter.

#include <QtTest>

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>

#include "sim_fixture.h"
#include "ui/chart/frmgraph2d.h"
#include "ui/kinetics/frmgraphcalc.h"

using namespace kinhom;
using kinhom::test::SimFixture;

namespace {

// Gives the box the focus inside its active window.
bool Focus(QLineEdit* box)
{
    QApplication::setActiveWindow(box->window());
    box->setFocus(Qt::OtherFocusReason);
    QCoreApplication::processEvents();
    return box->hasFocus();
}

} // namespace

class TestKeys : public QObject {
    Q_OBJECT

    // The editing shortcuts and the focus keys on one filtered box. The box's
    // own filter still drops a letter and turns "," into ".".
    static void checkBox(QLineEdit* box, const QString& name)
    {
        QVERIFY2(Focus(box), qPrintable(name));
        box->setText(" 1.5");
        QTest::keyClick(box, Qt::Key_Home);
        QCOMPARE(box->cursorPosition(), 0);
        QTest::keyClick(box, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(box->selectedText(), QString(" "));
        QTest::keyClick(box, Qt::Key_End);
        QCOMPARE(box->cursorPosition(), 4);

        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QVERIFY2(box->hasFocus(), qPrintable(name));
        QCOMPARE(box->selectedText(), QString(" 1.5"));
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString(" 1.5"));
        QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(box->text(), QString());
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(box->text(), QString(" 1.5"));
        box->end(false);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text(), QString(" 1.5 1.5"));

        box->clear();
        QTest::keyClicks(box, "2x,5");
        QCOMPARE(box->text(), QString("2.5"));

        QTest::keyClick(box, Qt::Key_Tab);
        QVERIFY2(!box->hasFocus(), qPrintable(name + ": Tab did not leave the box"));
        QVERIFY2(Focus(box), qPrintable(name));
        QTest::keyClick(box, Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY2(!box->hasFocus(), qPrintable(name + ": Shift+Tab did not leave the box"));
    }

private slots:
    void setUpWindowBoxes()
    {
        SimFixture f;
        frmPrepareTimeDiagram& s = f.setupWith(4);
        for (int i : {0, 1, 10, 14})
            checkBox(s.Inp[std::size_t(i)], QString("Inp_%1").arg(i));
        // Tab goes on to the next box, Shift+Tab back.
        QVERIFY(Focus(s.Inp[0]));
        QTest::keyClick(s.Inp[0], Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(s.Inp[1]));
        QTest::keyClick(s.Inp[1], Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(s.Inp[0]));
    }

    // "Close <Esc>": Esc in a box closes the set-up window.
    void escapeClosesTheSetUpWindow()
    {
        SimFixture f;
        frmPrepareTimeDiagram& s = f.setupWith(2);
        QVERIFY(Focus(s.Inp[10]));
        QTest::keyClick(s.Inp[10], Qt::Key_Escape);
        QVERIFY(!f.app->isLoaded<frmPrepareTimeDiagram>());
    }

    // The order box: Tab leaves it without choosing model 20 afresh (which
    // would reset the rate constants); an editing key is a key like any other.
    void orderBoxOfTheModelWindow()
    {
        SimFixture f;
        f.choose(20);
        frmKinModel& m = f.model();
        checkBox(m.txtOrdnung, "txtOrdnung");
        m.txtOrdnung->setText("2");
        f.d().k[1] = 0.5;
        QVERIFY(Focus(m.txtOrdnung));
        QTest::keyClick(m.txtOrdnung, Qt::Key_Tab);
        QCOMPARE(f.d().k[1], 0.5);
        QCOMPARE(f.d().Ordnung, 2.0f);
    }

    void calculatorBox()
    {
        SimFixture f;
        frmGraphCalc& c = f.app->show<frmGraphCalc>();
        checkBox(c.txtX, "txtX");
    }

    void coordinatesBoxes()
    {
        SimFixture f;
        frmPrepareTimeDiagram& s = f.setupWith(2);
        s.cmdDrawctDiagram->click();
        frmGraph2D* g = f.app->find<frmGraph2D>();
        QVERIFY(g);
        g->mnuCoord_Click();
        for (int i = 1; i <= 4; ++i)
            checkBox(g->coord[std::size_t(i)], QString("coord_%1").arg(i));
        // Esc closes the panel.
        QVERIFY(Focus(g->coord[1]));
        QTest::keyClick(g->coord[1], Qt::Key_Escape);
        QVERIFY(g->fraCoordInput->isHidden());
    }
};

QTEST_MAIN(TestKeys)
#include "test_keys.moc"
