// The data editors' grid: typing, the exclude cell, the clipboard and the
// edit commands, as the user meets them.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QtTest>

#include "shell_fixture.h"
#include "ui/dataedit/datagrid.h"

using namespace kinhom;

namespace {

std::vector<GridColumn> XYColumns()
{
    return {{"No.", CellKind::RowNumber}, {"x", CellKind::Double}, {"y", CellKind::Double}, {"excl.", CellKind::Exclude}};
}

GridRow XY(double x, double y, int key) { return GridRow{{0, x, y, 0}, key}; }

} // namespace

class TestDataGrid : public QObject {
    Q_OBJECT
private slots:
    void typingChecksTheCellAndAddsRowsAtTheEnd()
    {
        test::ShellFixture fx;
        DataGrid grid(XYColumns(), 3);
        grid.setRows({XY(1, 2, 1)});
        QSignalSpy edited(&grid, &DataGrid::edited);
        QCOMPARE(grid.rowCount(), 2); // the point and the line for a new one

        QVERIFY(!grid.typeIntoCell(0, 2, "2.5q"));
        QCOMPARE(grid.table().value(0, 2), 2.0);
        QCOMPARE(grid.item(0, 2)->text().trimmed(), QString("2.000000E+00"));
        QCOMPARE(fx.rec->messages.size(), std::size_t(1));
        QVERIFY(fx.rec->messages[0].text.startsWith("Row 1, column \"y\""));
        QCOMPARE(edited.count(), 0);

        QVERIFY(grid.typeIntoCell(1, 1, "3,5"));
        QCOMPARE(grid.pointCount(), 2);
        QCOMPARE(grid.table().value(1, 1), 3.5);
        QCOMPARE(grid.item(1, 0)->text().trimmed(), QString("2"));
        QCOMPARE(grid.rowCount(), 3);
        QVERIFY(grid.typeIntoCell(2, 1, "7"));
        QCOMPARE(grid.rowCount(), 3); // full: no line for a new point
        QCOMPARE(edited.count(), 2);
    }

    void excludeCellAndEditCommands()
    {
        test::ShellFixture fx;
        DataGrid grid(XYColumns(), 100);
        grid.setRows({XY(0, 1, 1), XY(5, 0.6, 2), XY(10, 0.37, 3)});
        QSignalSpy edited(&grid, &DataGrid::edited);

        grid.item(1, 3)->setCheckState(Qt::Checked); // as a click on the check cell does
        QVERIFY(grid.table().excluded(1));
        QCOMPARE(edited.count(), 1);

        grid.setRangeSelected(QTableWidgetSelectionRange(0, 1, 1, 2), true);
        QCOMPARE(grid.selectionText(), QString("0\t1\r\n5\t0.6\r\n"));
        QVERIFY(grid.copySelection());
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("0\t1\r\n5\t0.6\r\n"));

        QVERIFY(grid.zeroSelectedCells());
        QCOMPARE(grid.table().value(1, 2), 0.0);
        QVERIFY(grid.table().excluded(1)); // the mark was not among the cells

        QCOMPARE(grid.markedRows(), (std::vector<int>{0, 1}));
        QVERIFY(grid.removeMarkedRows());
        QCOMPARE(grid.pointCount(), 1);
        QCOMPARE(grid.table().row(0).key, 3);
        QVERIFY(!grid.removeMarkedRows()); // nothing marked any more
    }

    void pasteFromTheCurrentCellOrNotAtAll()
    {
        test::ShellFixture fx;
        DataGrid grid(XYColumns(), 100);
        grid.setRows({XY(0, 1, 1)});
        grid.setCurrentCell(0, 1);
        QVERIFY(!grid.pasteText("0\t1\r\n5\t0,6O\r\n10\t0.37\r\n"));
        QCOMPARE(grid.pointCount(), 1);
        QCOMPARE(grid.table().value(0, 2), 1.0);
        QVERIFY(fx.rec->messages.back().text.startsWith("Row 2, column \"y\""));

        QVERIFY(grid.pasteText("0\t1\r\n5\t0,6\r\n10\t0.37\r\n"));
        QCOMPARE(grid.pointCount(), 3);
        QCOMPARE(grid.table().value(1, 2), 0.6);
        QCOMPARE(grid.rowCount(), 4);
    }

    void typingThroughTheCellEditor()
    {
        test::ShellFixture fx;
        DataGrid grid(XYColumns(), 100);
        grid.setRows({XY(1, 2, 1)});
        grid.resize(400, 200);
        grid.show();
        auto type = [&grid](const QString& text) {
            grid.setCurrentCell(0, 2);
            grid.editItem(grid.item(0, 2));
            auto* box = grid.viewport()->findChild<QLineEdit*>();
            QVERIFY(box);
            QCOMPARE(box->text(), QString::number(grid.table().value(0, 2))); // the exact value to edit
            box->setText(text);
            QTest::keyClick(box, Qt::Key_Return);
        };
        type("4,5");
        QTRY_COMPARE(grid.table().value(0, 2), 4.5);
        QVERIFY(fx.rec->messages.empty());

        type("4.5.1");
        QTRY_COMPARE(fx.rec->messages.size(), std::size_t(1));
        QCOMPARE(grid.table().value(0, 2), 4.5);
        QCOMPARE(grid.item(0, 2)->text().trimmed(), QString("4.500000E+00"));
        QVERIFY(fx.rec->messages[0].text.contains("\"4.5.1\" is not a number"));
    }

    void rightClickAsksForTheMenu()
    {
        test::ShellFixture fx;
        DataGrid grid(XYColumns(), 100);
        grid.setRows({XY(0, 1, 1), XY(5, 0.6, 2)});
        grid.resize(400, 200);
        grid.show();
        QSignalSpy menu(&grid, &DataGrid::contextMenuRequested);
        const QRect cell = grid.visualItemRect(grid.item(1, 2));
        QTest::mouseClick(grid.viewport(), Qt::RightButton, {}, cell.center());
        emit grid.customContextMenuRequested(cell.center()); // the offscreen platform sends no context event
        QVERIFY(menu.count() >= 1);
        QCOMPARE(grid.currentRow(), 1);
        QCOMPARE(grid.currentColumn(), 2);
    }
};

QTEST_MAIN(TestDataGrid)
#include "test_datagrid.moc"
