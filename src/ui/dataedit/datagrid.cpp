#include "ui/dataedit/datagrid.h"

#include <algorithm>
#include <set>

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTimer>

#include "ui/shell/application.h"
#include "ui/shell/guarded.h"
#include "ui/shell/qtext.h"

namespace kinhom {

// Edits a number cell: the editor starts with the cell's exact value and hands
// what was typed to the grid, which checks it (a refused text leaves the value).
class DataGridDelegate : public QStyledItemDelegate {
public:
    explicit DataGridDelegate(DataGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        auto* box = qobject_cast<QLineEdit*>(editor);
        if (!box) return QStyledItemDelegate::setEditorData(editor, index);
        QString text;
        if (index.row() < grid_->pointCount())
            text = Q(grid_->table().copyText(index.row(), index.column(), index.row(), index.column())).trimmed();
        box->setText(text);
        box->selectAll();
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        auto* box = qobject_cast<QLineEdit*>(editor);
        if (!box) return QStyledItemDelegate::setModelData(editor, model, index);
        // The value is taken at once (a click on another button sees it); a
        // refusal is shown once the editor has closed.
        grid_->typeIntoCell(index.row(), index.column(), box->text(), true);
    }

private:
    DataGrid* grid_;
};

DataGrid::DataGrid(std::vector<GridColumn> columns, int maxRows, QWidget* parent)
    : QTableWidget(parent), table_(std::move(columns), maxRows)
{
    setObjectName("Grid");
    setColumnCount(table_.columnCount());
    widths_.assign(static_cast<std::size_t>(table_.columnCount()), 14);
    QStringList captions;
    bool numbered = false;
    for (int c = 0; c < table_.columnCount(); ++c) {
        const GridColumn& col = table_.columns()[static_cast<std::size_t>(c)];
        captions << Q(col.caption);
        if (col.kind == CellKind::RowNumber) {
            widths_[static_cast<std::size_t>(c)] = 4;
            numbered = true;
        }
        if (col.kind == CellKind::Exclude) widths_[static_cast<std::size_t>(c)] = 0;
    }
    setHorizontalHeaderLabels(captions);
    verticalHeader()->setVisible(!numbered);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setItemDelegate(new DataGridDelegate(this));
    setContextMenuPolicy(Qt::CustomContextMenu);
    setTabKeyNavigation(false); // Tab leaves the grid for the window's next control
    setWordWrap(false);
    for (int c = 0; c < table_.columnCount(); ++c) fitColumnWidth(c);
    connect(this, &QWidget::customContextMenuRequested, this,
            Guarded([this](const QPoint& pos) { emit contextMenuRequested(viewport()->mapToGlobal(pos)); }));
    connect(this, &QTableWidget::itemChanged, this, Guarded([this](QTableWidgetItem* item) { onItemChanged(item); }));
    refresh();
}

// ---- showing ----------------------------------------------------------------------------------

void DataGrid::refresh()
{
    updating_ = true;
    const int lines = pointCount() + (pointCount() < table_.maxRows() ? 1 : 0);
    setRowCount(lines);
    for (int r = 0; r < pointCount(); ++r) showRow(r);
    if (lines > pointCount()) showNewRowLine();
    updating_ = false;
}

void DataGrid::showRow(int r)
{
    const bool was = updating_;
    updating_ = true;
    for (int c = 0; c < table_.columnCount(); ++c) {
        const CellKind kind = table_.columns()[static_cast<std::size_t>(c)].kind;
        auto* item = new QTableWidgetItem;
        if (kind == CellKind::Exclude) {
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(table_.value(r, c) != 0 ? Qt::Checked : Qt::Unchecked);
        } else {
            item->setText(Q(CellDisplayText(table_.value(r, c), kind, r + 1, widths_[static_cast<std::size_t>(c)])));
            item->setFlags(kind == CellKind::RowNumber ? (Qt::ItemIsEnabled | Qt::ItemIsSelectable)
                                                       : (Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable));
        }
        setItem(r, c, item);
    }
    updating_ = was;
}

void DataGrid::showNewRowLine()
{
    const int r = pointCount();
    for (int c = 0; c < table_.columnCount(); ++c) {
        const CellKind kind = table_.columns()[static_cast<std::size_t>(c)].kind;
        auto* item = new QTableWidgetItem(kind == CellKind::RowNumber ? "*" : "");
        item->setFlags(kind == CellKind::RowNumber || kind == CellKind::Exclude
                           ? Qt::ItemIsEnabled
                           : (Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable));
        if (kind == CellKind::RowNumber) item->setToolTip("Type into this line to add a point");
        setItem(r, c, item);
    }
}

void DataGrid::setRows(std::vector<GridRow> rows)
{
    table_.setRows(std::move(rows));
    refresh();
}

void DataGrid::clearRows()
{
    table_.clear();
    refresh();
}

bool DataGrid::appendRow(GridRow row)
{
    if (!table_.appendRow(std::move(row))) return false;
    updating_ = true;
    setRowCount(pointCount() + (pointCount() < table_.maxRows() ? 1 : 0));
    showRow(pointCount() - 1);
    if (rowCount() > pointCount()) showNewRowLine();
    updating_ = false;
    return true;
}

void DataGrid::setExcluded(int row, bool excluded)
{
    if (row < 0 || row >= pointCount()) return;
    table_.setExcluded(row, excluded);
    showRow(row);
}

void DataGrid::selectRow(int row)
{
    if (row < 0 || row >= rowCount()) return;
    clearSelection();
    setCurrentCell(row, 0);
    QTableWidget::selectRow(row);
}

void DataGrid::setColumnCaption(int column, const QString& caption)
{
    if (QTableWidgetItem* h = horizontalHeaderItem(column)) h->setText(caption);
}

QString DataGrid::columnCaption(int column) const
{
    const QTableWidgetItem* h = horizontalHeaderItem(column);
    return h ? h->text() : QString();
}

void DataGrid::setCellWidth(int column, int characters)
{
    if (column < 0 || column >= table_.columnCount()) return;
    widths_[static_cast<std::size_t>(column)] = characters;
    fitColumnWidth(column);
    refresh();
}

void DataGrid::fitColumnWidth(int column)
{
    // As wide as the widest text the column shows (its trailing blanks aside),
    // and as its caption.
    const auto c = static_cast<std::size_t>(column);
    const CellKind kind = table_.columns()[c].kind;
    QString widest;
    if (kind == CellKind::Double || kind == CellKind::Single)
        widest = "-0.000000E+00";
    else if (kind == CellKind::RowNumber)
        widest = QString(std::max(widths_[c], 1), '0');
    const int caption = fontMetrics().horizontalAdvance(horizontalHeaderItem(column)->text()) + 16;
    setColumnWidth(column, std::max({fontMetrics().horizontalAdvance(widest) + 12, caption, 40}));
}

void DataGrid::refuse(const std::string& message)
{
    app().services().msgBox(Q(message), MsgButtons::OK, MsgIcon::Critical, messageTitle_);
}

// ---- what the user does -----------------------------------------------------------------------

bool DataGrid::typeIntoCell(int row, int column, const QString& text, bool messageLater)
{
    const int before = pointCount();
    std::string error;
    if (!table_.setCellText(row, column, S(text), error)) {
        const std::string message = error + "\nThe cell keeps its previous value.";
        if (messageLater)
            QTimer::singleShot(0, this, Guarded([this, message] { refuse(message); }));
        else
            refuse(message);
        if (row < pointCount()) showRow(row);
        return false;
    }
    if (pointCount() != before) {
        updating_ = true;
        setRowCount(pointCount() + (pointCount() < table_.maxRows() ? 1 : 0));
        if (rowCount() > pointCount()) showNewRowLine();
        updating_ = false;
    }
    showRow(row);
    emit edited();
    return true;
}

void DataGrid::onItemChanged(QTableWidgetItem* item)
{
    if (updating_ || !item) return;
    const int r = item->row();
    const int c = item->column();
    if (r >= pointCount() || table_.columns()[static_cast<std::size_t>(c)].kind != CellKind::Exclude) return;
    const bool checked = item->checkState() == Qt::Checked;
    if (checked == table_.excluded(r)) return;
    table_.setExcluded(r, checked);
    emit edited();
}

QString DataGrid::selectionText() const
{
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    if (ranges.isEmpty() || pointCount() == 0) return {};
    int r0 = ranges.first().topRow(), r1 = ranges.first().bottomRow();
    int c0 = ranges.first().leftColumn(), c1 = ranges.first().rightColumn();
    for (const auto& range : ranges) {
        r0 = std::min(r0, range.topRow());
        r1 = std::max(r1, range.bottomRow());
        c0 = std::min(c0, range.leftColumn());
        c1 = std::max(c1, range.rightColumn());
    }
    r1 = std::min(r1, pointCount() - 1);
    if (r0 > r1) return {};
    return Q(table_.copyText(r0, c0, r1, c1));
}

bool DataGrid::copySelection()
{
    const QString text = selectionText();
    if (text.isEmpty()) return false;
    QGuiApplication::clipboard()->setText(text);
    return true;
}

bool DataGrid::pasteText(const QString& text)
{
    int r = currentRow();
    int c = currentColumn();
    if (r < 0 || c < 0) {
        r = pointCount();
        c = 0;
    }
    std::string error, note;
    if (!table_.paste(std::min(r, pointCount()), c, S(text), error, note)) {
        refuse(error + "\nNothing was pasted.");
        return false;
    }
    refresh();
    emit edited();
    if (!note.empty()) app().services().msgBox(Q(note), MsgButtons::OK, MsgIcon::Information, messageTitle_);
    return true;
}

bool DataGrid::pasteClipboard() { return pasteText(QGuiApplication::clipboard()->text()); }

bool DataGrid::zeroSelectedCells()
{
    std::vector<std::pair<int, int>> cells;
    for (const QModelIndex& i : selectedIndexes())
        if (i.row() < pointCount()) cells.emplace_back(i.row(), i.column());
    if (cells.empty()) return false;
    table_.zeroCells(cells);
    std::set<int> rows;
    for (const auto& cell : cells) rows.insert(cell.first);
    for (int r : rows) showRow(r);
    emit edited();
    return true;
}

std::vector<int> DataGrid::markedRows() const
{
    std::set<int> rows;
    for (const QModelIndex& i : selectedIndexes())
        if (i.row() < pointCount()) rows.insert(i.row());
    return {rows.begin(), rows.end()};
}

bool DataGrid::removeMarkedRows()
{
    const std::vector<int> rows = markedRows();
    if (rows.empty()) return false;
    table_.removeRows(rows);
    clearSelection();
    refresh();
    emit edited();
    return true;
}

void DataGrid::sortRowsBy(int column)
{
    table_.sortByColumn(column);
    refresh();
    emit edited();
}

void DataGrid::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        pasteClipboard();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void DataGrid::mousePressEvent(QMouseEvent* event)
{
    // A right click outside the marked cells makes the clicked cell current,
    // so that a paste from the pop-up menu starts there.
    if (event->button() == Qt::RightButton) {
        const QModelIndex i = indexAt(event->pos());
        if (i.isValid() && !selectionModel()->isSelected(i)) setCurrentCell(i.row(), i.column());
        event->accept();
        return;
    }
    QTableWidget::mousePressEvent(event);
}

} // namespace kinhom
