// Every window that other windows address by name loads under that name, and
// every control that another window presses or writes exists on it, once,
// under its name. One row per window: a new window adds its row.

#include <QtTest>

#include <functional>
#include <span>
#include <vector>

#include <QAbstractButton>
#include <QLabel>

#include "sim_fixture.h"
#include "ui/chart/frmgraph2d.h"
#include "ui/dataedit/frmdatedit.h"
#include "ui/dataedit/frmmanuinput.h"
#include "ui/evaluation/frmarrheniusrechner.h"
#include "ui/evaluation/frmcalctangente.h"
#include "ui/evaluation/frmfitting.h"
#include "ui/montecarlo/frmmontecarlo.h"
#include "ui/reactors/frmbatch.h"
#include "ui/reactors/frmprotokoll.h"
#include "ui/reactors/frmrkconti.h"
#include "ui/reactors/frmrohrreaktor.h"
#include "ui/shell/formnames.h"
#include "ui/shell/helpwindow.h"
#include "ui/shell/modellinputform.h"

using namespace kinhom;
using kinhom::test::SimFixture;

namespace {

struct WindowRow {
    const char* name;
    // Loads the window (through the application, as the program does).
    std::function<KinForm&(App&)> load;
    // The controls other windows address on it.
    std::vector<const char*> controls;
};

std::vector<const char*> ReactorCaptions()
{
    return {names::lblZeitEinheit, names::lblVPunktInput, names::unit1, names::unit2, names::unit3};
}

std::vector<WindowRow> Windows()
{
    return {
        {names::frmKinModel, [](App& a) -> KinForm& { return a.show<frmKinModel>(); }, {}},
        {names::frmPrepareTimeDiagram,
         [](App& a) -> KinForm& { return a.show<frmPrepareTimeDiagram>(); },
         {names::unit1, names::unit2, names::unit3, names::unit4}},
        {names::frmGraph2D, [](App& a) -> KinForm& { return a.show<frmGraph2D>(); },
         {names::cmdDraw, names::cmdManuKurve}},
        {names::frmDatedit, [](App& a) -> KinForm& { return a.show<frmDatedit>(); },
         {names::cmdClipboard, names::cmdClipEinfuegen, names::cmdEraseSelected, names::cmdErase, names::Bz1_2}},
        {names::frmManuInput, [](App& a) -> KinForm& { return a.show<frmManuInput>(); },
         {names::cmdClipboard, names::cmdClipEinfuegen, names::cmdEraseSelected, names::cmdErase}},
        {names::frmFitting, [](App& a) -> KinForm& { return a.show<frmFitting>(); },
         {names::cmdDrawNewCurve, names::lblZeitEinheit, names::unit1, names::unit2, names::unit3}},
        {names::frmCalcTangente, [](App& a) -> KinForm& { return a.show<frmCalcTangente>(); }, {}},
        {names::frmArrheniusRechner, [](App& a) -> KinForm& { return a.show<frmArrheniusRechner>(); }, {}},
        {names::frmBatch, [](App& a) -> KinForm& { return a.show<frmBatch>(); }, ReactorCaptions()},
        {names::frmRohrreaktor, [](App& a) -> KinForm& { return a.show<frmRohrreaktor>(); }, ReactorCaptions()},
        {names::frmRKconti, [](App& a) -> KinForm& { return a.show<frmRKconti>(); }, ReactorCaptions()},
        {names::frmProtokoll, [](App& a) -> KinForm& { return a.show<frmProtokoll>(); }, {}},
        {names::frmMonteCarlo, [](App& a) -> KinForm& { return a.show<frmMonteCarlo>(); }, {names::cmdRefresh}},
    };
}

} // namespace

class TestFormNames : public QObject {
    Q_OBJECT
private slots:
    void windowsAndAddressedControlsExistUnderTheirNames_data()
    {
        QTest::addColumn<int>("row");
        const std::vector<WindowRow> rows = Windows();
        for (int i = 0; i < int(rows.size()); ++i)
            QTest::newRow(rows[std::size_t(i)].name) << i;
    }
    void windowsAndAddressedControlsExistUnderTheirNames()
    {
        QFETCH(int, row);
        const WindowRow w = Windows()[std::size_t(row)];
        SimFixture f;
        KinForm& form = w.load(*f.app);
        const QString name = QString::fromLatin1(w.name);
        QCOMPARE(f.app->findForm(name), &form);
        QCOMPARE(form.widget()->objectName(), name);
        // The class carries the window's name too.
        QCOMPARE(QString::fromLatin1(form.widget()->metaObject()->className()), "kinhom::" + name);
        for (const char* control : w.controls) {
            const QList<QWidget*> found = form.widget()->findChildren<QWidget*>(QString::fromLatin1(control));
            QVERIFY2(found.size() == 1, qPrintable(name + ": " + control + QString(" found %1 times").arg(found.size())));
        }
        // F1 in the window opens a page of its own that exists.
        const int page = form.HelpContextID();
        QVERIFY2(page > 0, qPrintable(name));
        HelpWindow help(QDir(QCoreApplication::applicationDirPath()).filePath("help"));
        QVERIFY2(help.showTopic(page), qPrintable(name + QString(": page %1").arg(page)));
    }

    // The lists of input and reactor windows hold exactly the window classes
    // of their kind that the program can open: a window left out would
    // silently miss the chosen model, the unit captions and the closing of
    // the windows that compete with a task.
    void windowListsHoldEveryWindowOfTheirKind()
    {
        SimFixture f; // the main window with its menus, which open the windows
        QStringList inputClasses, reactorClasses;
        for (const QMetaObject* type : App::windowClasses()) {
            const QString name = QString::fromLatin1(type->className()).remove(QLatin1String("kinhom::"));
            if (type->inherits(&ModellInputForm::staticMetaObject))
                inputClasses << name;
            if (type->inherits(&ReaktorFenster::staticMetaObject))
                reactorClasses << name;
        }
        const auto listed = [](std::span<const char* const> names) {
            QStringList l;
            for (const char* n : names)
                l << QString::fromLatin1(n);
            l.sort();
            return l;
        };
        inputClasses.sort();
        reactorClasses.sort();
        QCOMPARE(inputClasses, listed(names::kInputWindows));
        QCOMPARE(reactorClasses, listed(names::kReactorWindows));
    }

    // A button that other windows press is a button; a caption they write is a label.
    void addressedControlsHaveTheKindTheirUsersExpect()
    {
        SimFixture f;
        frmGraph2D& g = f.app->show<frmGraph2D>();
        QVERIFY(g.findChild<QAbstractButton*>(names::cmdDraw));
        frmPrepareTimeDiagram& s = f.app->show<frmPrepareTimeDiagram>();
        for (const char* l : {names::unit1, names::unit2, names::unit3, names::unit4})
            QVERIFY2(s.findChild<QLabel*>(l), l);
        QVERIFY(g.findChild<QAbstractButton*>(names::cmdManuKurve));
        QVERIFY(f.app->show<frmFitting>().findChild<QAbstractButton*>(names::cmdDrawNewCurve));
        QVERIFY(f.app->show<frmMonteCarlo>().findChild<QAbstractButton*>(names::cmdRefresh));
        for (const char* b : {names::cmdClipboard, names::cmdClipEinfuegen, names::cmdEraseSelected, names::cmdErase}) {
            QVERIFY2(f.app->show<frmDatedit>().findChild<QAbstractButton*>(b), b);
            QVERIFY2(f.app->show<frmManuInput>().findChild<QAbstractButton*>(b), b);
        }
    }
};

QTEST_MAIN(TestFormNames)
#include "test_formnames.moc"
