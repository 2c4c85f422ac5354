// The diagram file reader (LoadDiagram).

#include <cmath>
#include <limits>

#include "core/chart/chart2d.h"
#include "core/chart/diagramfile.h"
#include "fuzz_common.h"

using namespace kinhom;
namespace fs = std::filesystem;

namespace {

// A small designed chart: two curves, a point set, a label.
void Design(Chart2D& c)
{
    c.Header().setText("Model 2\nA => P");
    c.Legend().setIsShowing(true);
    c.ChartArea().Axes("X").setMin(0);
    c.ChartArea().Axes("X").setMax(25);
    c.ChartArea().Axes("Y").setIsLogarithmic(true);
    ChartData& curves = c.ChartGroups(1).Data();
    curves.setNumSeries(2);
    curves.setNumPoints(1, 4);
    curves.setNumPoints(2, 3);
    for (int p = 1; p <= 4; ++p) {
        curves.setX(1, p, 0.5 * p);
        curves.setY(1, p, 1.0 / p);
    }
    curves.setY(2, 2, std::numeric_limits<double>::quiet_NaN());
    c.ChartGroups(2).Data().setNumSeries(1);
    c.ChartGroups(2).Data().setNumPoints(1, 1);
    c.ChartLabels().setCount(1);
}

void WriteSeeds(const fs::path& folder)
{
    std::string error;
    SaveDiagram(Chart2D(), folder / "default.oc2", error);
    Chart2D designed;
    Design(designed);
    SaveDiagram(designed, folder / "designed.oc2", error);
}

// The font sizes of a loaded chart are all numbers the drawing can use.
bool FontSizesFinite(Chart2D& c)
{
    bool ok = std::isfinite(c.Header().Font().Size) && std::isfinite(c.Footer().Font().Size) &&
              std::isfinite(c.Legend().Font().Size);
    for (const char* axis : {"X", "Y", "Y2"}) {
        Axis& a = c.ChartArea().Axes(axis);
        ok = ok && std::isfinite(a.NumberingFont().Size) && std::isfinite(a.Title().Font().Size);
    }
    for (int n = 1; n <= c.ChartLabels().Count(); ++n) ok = ok && std::isfinite(c.ChartLabels().Item(n).Font().Size);
    return ok;
}

} // namespace

KINHOM_FUZZ_SEEDS(WriteSeeds)

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fs::path input = fuzz::InputFile(data, size, "input.oc2");
    Chart2D chart;
    chart.Header().setText("as it was");
    const std::string before = DiagramText(chart);
    std::string error;
    if (!LoadDiagram(chart, input, error)) {
        FUZZ_CHECK(DiagramText(chart) == before);
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    FUZZ_CHECK(FontSizesFinite(chart));
    // what loads saves and reads back exactly
    const fs::path saved = fuzz::Work() / "saved.oc2";
    FUZZ_CHECK(SaveDiagram(chart, saved, error));
    Chart2D back;
    FUZZ_CHECK(LoadDiagram(back, saved, error));
    FUZZ_CHECK(DiagramText(back) == DiagramText(chart));
    return 0;
}
