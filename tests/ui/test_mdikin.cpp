#include <QtTest>

#include "ui/shell/mdikin.h"

class TestMdikin : public QObject {
    Q_OBJECT
private slots:
    void captionOfMainWindow()
    {
        kinhom::MDIKIN w;
        w.show();
        QCOMPARE(w.windowTitle(), QString("KINHOM-3     Kinetics of Homogeneous Chemical Reactions"));
        QVERIFY(w.mdiArea() != nullptr);
    }
};

QTEST_MAIN(TestMdikin)
#include "test_mdikin.moc"
