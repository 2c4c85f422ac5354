#pragma once
// The tips of the tips window: one tip per line of a plain text file, shown
// one at a time, and the rule of the "Show Tips at Startup" setting.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kinhom {

struct TipState {
    std::vector<std::string> TipList; // numbered from 1 (TipList[n - 1])
    int CurrentTip = 0;               // 0 until the first tip is chosen
};

// The bare name of the tips file.
std::string TipFileName(bool englischeVersion);

// Appends every line of the file to TipList (an empty line is an empty tip),
// then advances to the next tip. False, and nothing changed, when the path is
// empty or the file does not exist or cannot be read.
bool LoadTips(TipState& s, const std::filesystem::path& path);

// Advances CurrentTip, wrapping to 1 after the last tip.
void DoNextTip(TipState& s);

// The tip to show, or nullptr when the list is empty.
const std::string* CurrentTipText(const TipState& s);

// The tip chosen at random: Int(r * count + 1) for r in [0, 1), kept within
// 1..count (1 for an empty list).
int RandomTipNumber(double r, int count);

// Whether tips show at start-up for a stored setting text: a number that is 0
// switches them off; a missing setting or a text that is not a number
// (blanks around it allowed) counts as "1".
bool TipsShowAtStartup(bool present, std::string_view stored);

// The text shown when the tips file is missing.
std::string TipsFileNotFoundText(const std::string& tipFileName, const std::string& crlf);

} // namespace kinhom
