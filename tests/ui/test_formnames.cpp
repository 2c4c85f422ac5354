// Every window that other windows address by name loads under that name, and
// every control that another window presses or writes exists on it, once,
// under its name. One row per window: a new window adds its row.

#include <QtTest>

#include <functional>
#include <vector>

#include <QAbstractButton>
#include <QLabel>

#include "sim_fixture.h"
#include "ui/chart/frmgraph2d.h"
#include "ui/shell/formnames.h"

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

std::vector<WindowRow> Windows()
{
    return {
        {names::frmKinModel, [](App& a) -> KinForm& { return a.show<frmKinModel>(); }, {}},
        {names::frmPrepareTimeDiagram,
         [](App& a) -> KinForm& { return a.show<frmPrepareTimeDiagram>(); },
         {names::unit1, names::unit2, names::unit3, names::unit4}},
        // cmdManuKurve joins this row with the XY editor's curve, which presses it.
        {names::frmGraph2D, [](App& a) -> KinForm& { return a.show<frmGraph2D>(); }, {names::cmdDraw}},
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
    }
};

QTEST_MAIN(TestFormNames)
#include "test_formnames.moc"
