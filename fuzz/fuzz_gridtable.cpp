// libFuzzer target of the data editors' grid rules (GridTable): what a user
// pastes or types. A refused paste or cell leaves the table as it was; an
// accepted one holds only finite values that its columns can hold (single
// precision where the column is Single, 0 or -1 in the exclude column), never
// more rows than the table allows, and leaves the rows above the paste alone;
// what the table then copies pastes back equal; and every call ends within its
// time bound.
//
// Input: byte 0 the row, byte 1 the column to start in, byte 2 even for a
// paste and odd for typing into one cell; the rest is the text.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/dataedit/gridtable.h"
#include "core/shell/fieldline.h"
#include "core/shell/numtext.h"
#include "fuzz_common.h"

using namespace kinhom;
namespace fs = std::filesystem;

namespace {

constexpr int kMaxRows = 40;

// The columns of the measured-data editor in small: number, a Single time,
// two Double concentrations and the exclude mark.
GridTable MakeTable()
{
    return GridTable({{"No.", CellKind::RowNumber},
                      {"t", CellKind::Single},
                      {"c(A)", CellKind::Double},
                      {"c(B)", CellKind::Double},
                      {"excl.", CellKind::Exclude}},
                     kMaxRows);
}

GridTable Filled()
{
    GridTable t = MakeTable();
    t.setRows({GridRow{{0, 0, 1, 0.5, 0}, 1}, GridRow{{0, 5, 0.6, 0.25, -1}, 2}, GridRow{{0, 10, 0.37, 0, 0}, 3}});
    return t;
}

// Every value is one its column can hold.
bool Sound(const GridTable& t)
{
    if (t.rowCount() > t.maxRows()) return false;
    for (const GridRow& row : t.rows()) {
        if (static_cast<int>(row.v.size()) != t.columnCount()) return false;
        for (int c = 0; c < t.columnCount(); ++c) {
            const double v = row.v[static_cast<std::size_t>(c)];
            if (!std::isfinite(v)) return false;
            switch (t.columns()[static_cast<std::size_t>(c)].kind) {
            case CellKind::RowNumber: if (v != 0) return false; break;
            case CellKind::Exclude: if (v != 0 && v != -1) return false; break;
            case CellKind::Single: if (!FitsSingle(v)) return false; break;
            case CellKind::Double: break;
            }
        }
    }
    return true;
}

// Each call gets a second; a few kilobytes of text take microseconds.
struct TimeBound {
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    ~TimeBound() { FUZZ_CHECK(std::chrono::steady_clock::now() - start < std::chrono::seconds(1)); }
};

void WriteSeed(const fs::path& folder, const std::string& name, int r, int c, bool typing, const std::string& text)
{
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.put(static_cast<char>(r)).put(static_cast<char>(c)).put(static_cast<char>(typing ? 1 : 0));
    out << text;
}

// Seeds: what the grid itself copies, a spreadsheet block with its captions
// and decimal commas, a block with text inside, and typed cells.
void WriteSeeds(const fs::path& folder)
{
    const GridTable t = Filled();
    WriteSeed(folder, "copied", 0, 0, false, t.copyText(0, 0, t.rowCount() - 1, t.columnCount() - 1));
    WriteSeed(folder, "captions", 1, 1, false, "time / s\tc(A)\tc(B)\r\n0\t1,5\t0,2\r\n7,5\t1E-3\t\r\n");
    WriteSeed(folder, "text", 3, 2, false, "0.5\t0.1\r\n0.4\tabc\r\n");
    WriteSeed(folder, "typed", 3, 1, true, " -2,5E-3 ");
    WriteSeed(folder, "excluded", 0, 4, true, "-1");
}

} // namespace

KINHOM_FUZZ_SEEDS(WriteSeeds)

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3) return 0;
    GridTable t = Filled();
    const GridTable before = t;
    const int r = data[0] % (t.rowCount() + 2); // one past the end is refused
    const int c = data[1] % (t.columnCount() + 1);
    const bool typing = (data[2] & 1) != 0;
    const std::string_view text = fuzz::AsText(data + 3, size - 3);

    std::string error, note;
    bool accepted = false;
    {
        TimeBound bound;
        accepted = typing ? t.setCellText(r, c, text, error) : t.paste(r, c, text, error, note);
    }
    if (!accepted) {
        FUZZ_CHECK(t.rows() == before.rows());
        FUZZ_CHECK(!error.empty());
        FUZZ_CHECK(note.empty());
        return 0;
    }
    FUZZ_CHECK(Sound(t));
    for (int i = 0; i < std::min(r, before.rowCount()); ++i) FUZZ_CHECK(t.row(i) == before.row(i));
    if (typing) {
        // The one cell holds what its text reads as; nothing else changed.
        double v = 0;
        std::string why;
        FUZZ_CHECK(ReadCellText(text, t.columns()[static_cast<std::size_t>(c)].kind, v, why));
        FUZZ_CHECK(t.value(r, c) == v);
        FUZZ_CHECK(t.rowCount() == std::max(before.rowCount(), r + 1));
    }

    // What the table copies pastes back into an empty table equal.
    GridTable back = MakeTable();
    {
        TimeBound bound;
        const std::string copied = t.copyText(0, 0, t.rowCount() - 1, t.columnCount() - 1);
        FUZZ_CHECK(back.paste(0, 0, copied, error, note));
    }
    FUZZ_CHECK(note.empty());
    FUZZ_CHECK(back.rowCount() == t.rowCount());
    for (int i = 0; i < t.rowCount(); ++i)
        for (int j = 0; j < t.columnCount(); ++j)
            if (t.columns()[static_cast<std::size_t>(j)].kind == CellKind::Single) // copied as the Single it is
                FUZZ_CHECK(static_cast<float>(back.value(i, j)) == static_cast<float>(t.value(i, j)));
            else
                FUZZ_CHECK(back.value(i, j) == t.value(i, j));
    return 0;
}
