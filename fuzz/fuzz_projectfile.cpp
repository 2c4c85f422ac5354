// The project and last-session file reader (ReadProjectFile).

#include "core/shell/numtext.h"
#include "core/shell/projectfile.h"
#include "core/shell/startup.h"
#include "fuzz_common.h"

using namespace kinhom;
namespace fs = std::filesystem;

namespace {

const char* const kDate = "07.12.2026";

Declare Session()
{
    Declare d;
    SetStartupValues(d, fuzz::Work().string(), ".");
    d.ProjektKommentar = "in memory";
    d.ModellNr = 2;
    d.k.assign(4, 0.0);
    d.k[1] = 0.15;
    d.k[2] = 2.5e-3;
    d.k[3] = 1;
    return d;
}

// What a read may change.
struct Snapshot {
    explicit Snapshot(const Declare& d) : comment(d.ProjektKommentar), model(d.ModellNr), k(d.k) {}
    bool operator==(const Snapshot&) const = default;
    std::string comment;
    std::int16_t model;
    std::vector<double> k;
};

void WriteSeeds(const fs::path& folder)
{
    std::string error;
    Declare d = Session();
    d.DateiName = "/data/run 1.KV3";
    WriteProjectFile(d, (folder / "project.KC3").string(), kDate, error);
    d.DateiName = "";
    d.ProjektKommentar = "no data, \"quoted\" \xC3\xA4";
    d.ModellNr = 20;
    d.k[1] = 1.7976931348623157e308;
    d.k[2] = 4.9e-324;
    WriteProjectFile(d, (folder / "no-data.KC3").string(), kDate, error);
    d.DateiName = "/data/a,b.kv3";
    WriteProjectFile(d, (folder / "KinLastSession.KC3").string(), kDate, error);
}

} // namespace

KINHOM_FUZZ_SEEDS(WriteSeeds)

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fs::path input = fuzz::InputFile(data, size, "input.KC3");
    Declare d = Session();
    const Snapshot before(d);
    std::string dataName;
    std::string error;
    if (!ReadProjectFile(d, input.string(), dataName, error)) {
        FUZZ_CHECK(Snapshot(d) == before);
        FUZZ_CHECK(error.rfind(kProjectCorrupt, 0) == 0);
        FUZZ_CHECK(error.find(input.string()) != std::string::npos);
        return 0;
    }
    d.DateiName = dataName;

    // what loads saves, as a project and as the last session, and reads back
    // to the same session (saving it again gives the same text)
    for (const char* name : {"saved.KC3", "KinLastSession.KC3"}) {
        const std::string file = (fuzz::Work() / name).string();
        Declare written = d;
        FUZZ_CHECK(WriteProjectFile(written, file, kDate, error));
        Declare r = Session();
        std::string readName;
        FUZZ_CHECK(ReadProjectFile(r, file, readName, error));
        FUZZ_CHECK(r.ProjektKommentar == written.ProjektKommentar);
        FUZZ_CHECK(r.ModellNr == written.ModellNr);
        for (int i = 1; i <= 3; ++i) FUZZ_CHECK(GenDouble(r.k[i]) == GenDouble(written.k[i]));
        r.DateiName = readName;
        const bool lastSession = IsLastSessionFile(file);
        FUZZ_CHECK(ProjectFileText(r, kDate, lastSession) == ProjectFileText(written, kDate, lastSession));
    }
    return 0;
}
