// The tips file reader (LoadTips).

#include "core/shell/fieldline.h"
#include "core/shell/textfile.h"
#include "core/shell/tips.h"
#include "fuzz_common.h"

using namespace kinhom;
namespace fs = std::filesystem;

namespace {

std::string TipsText(const std::vector<std::string>& tips)
{
    std::string s;
    for (const std::string& t : tips) s += t + kCRLF;
    return s;
}

void WriteSeeds(const fs::path& folder)
{
    std::string error;
    WriteTextFileAtomic(folder / "tips.TXT",
                        TipsText({"The first tip.", "", "A tip with \"quotes\", commas and \xC2\xB0" "C.",
                                  "  blanks around  "}),
                        error);
    // a file of an older editor, in Windows-1252
    WriteTextFileAtomic(folder / "tips-1252.TXT", "\xE4rger \x80 \x93x\x94\r\nsecond\n", error);
}

} // namespace

KINHOM_FUZZ_SEEDS(WriteSeeds)

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fs::path input = fuzz::InputFile(data, size, "KINTIPS_E.TXT");

    // a file that cannot be read changes nothing
    TipState s;
    s.TipList = {"tip in memory"};
    s.CurrentTip = 1;
    FUZZ_CHECK(!LoadTips(s, fuzz::Work() / "missing.TXT"));
    FUZZ_CHECK(s.TipList.size() == 1 && s.CurrentTip == 1);

    // every line becomes a tip after the ones in memory, and the next one shows
    FUZZ_CHECK(LoadTips(s, input));
    FUZZ_CHECK(s.TipList.size() >= 1 && s.TipList[0] == "tip in memory");
    FUZZ_CHECK(s.CurrentTip == (s.TipList.size() > 1 ? 2 : 1));
    FUZZ_CHECK(CurrentTipText(s) != nullptr);
    for (const std::string& tip : s.TipList)
        FUZZ_CHECK(tip.find_first_of("\r\n") == std::string::npos);

    // the tips written one per line read back as the same tips
    const std::vector<std::string> loaded(s.TipList.begin() + 1, s.TipList.end());
    std::string error;
    const fs::path saved = fuzz::Work() / "saved.TXT";
    FUZZ_CHECK(WriteTextFileAtomic(saved, TipsText(loaded), error));
    TipState back;
    FUZZ_CHECK(LoadTips(back, saved));
    FUZZ_CHECK(back.TipList == loaded);
    return 0;
}
