#pragma once
// Small shared routines of the input windows: the numeric key filter, the
// nested busy cursor, the shortening of a path for display and the test
// whether a file exists.

#include <string>

#include "core/shell/declare.h"

namespace kinhom {

// The numeric key filter of the input boxes. keyCode is the typed character
// code; a "," (44) is turned into "." (46). True when the key may pass: the
// digits, "E", "e", ",", "-", ".", Enter (13), Backspace (8) and Delete (127),
// and the keys no box may lose: Tab (9), Esc (27) and the editing shortcuts
// Ctrl+A, C, V, X, Y, Z (1, 3, 22, 24, 25, 26). The caller discards a refused key.
bool NumKeyFilter(int& keyCode);

// The screen's mouse pointer as the busy cursor sees it. The ui installs one
// that works on the application's override cursor; tests use a recorder.
class CursorControl {
public:
    static constexpr int kDefault = 0;
    static constexpr int kHourglass = 11;

    virtual ~CursorControl() = default;
    virtual int current() const = 0;
    virtual void set(int pointer) = 0;
};

// The nested busy cursor around long calculations. HourglassOn raises
// HourglassCount; the call that makes it 1 saves the current pointer in
// SavedMousePointer; the pointer then becomes the hourglass (unless it
// already is). HourglassOff lowers the count and, once it is below 1,
// restores SavedMousePointer. The count is not clamped: an unmatched
// HourglassOff takes it below 0, and the next HourglassOn then does not save
// the pointer again.
void HourglassOn(Declare& d, CursorControl& cursor);
void HourglassOff(Declare& d, CursorControl& cursor);

// A path shortened for display to about maxLen characters: unchanged when it
// is not longer; otherwise its first three characters, "..." and the path
// from the first separator ("\" or "/") found among the last maxLen - 6
// characters (from position n - maxLen + 6, counting from 1), or only the
// first three characters and "..." when there is none. Lengths count
// characters (UTF-8 code points), not bytes.
std::string ShortPathDisplay(const std::string& path, int maxLen);

// Whether a file of that name exists. A name without any separator ("/" or
// "\") is looked for in programFolder when that is not empty. Empty names,
// folders, invalid names and any error give false.
bool FileExists(const std::string& name, const std::string& programFolder);

} // namespace kinhom
