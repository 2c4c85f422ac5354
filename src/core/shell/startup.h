#pragma once
// The start values of the shared state, set when the main window loads.

#include <string>

#include "core/shell/declare.h"
#include "core/shell/filefolders.h"

namespace kinhom {

// The time-unit texts by index 0 to 4.
extern const char* const kZeiteinheiten[kTimeUnitCount];

// Fills ZeitFaktor(i, j) = seconds per unit i / seconds per unit j with the
// literal table values and their reciprocals.
void FillZeitFaktor(Array2<double>& zeitFaktor);

// Fills the short model names 1 to 18 and 20 (0 and 19 stay empty).
void FillModellNamen(std::vector<std::string>& namen);

// Sets every start value of the shared state, in the order of the main window's
// load: array dimensions, English tips, the decimal-comma test, CRLF, the five
// folders, the time unit, ZeitFaktor, the model names, the defaults, the
// last-session file, and the values set after the start-up windows are shown.
// The five dialog folders are folders.userFiles, the last-session file lies in
// folders.ownFiles and ProgrammPfad is folders.program (each without a
// trailing separator); localeDecimalSign is the decimal sign of the user's
// locale (the ui passes it).
void SetStartupValues(Declare& d, const FileFolders& folders, const std::string& localeDecimalSign);
// The same with every folder the program's folder.
void SetStartupValues(Declare& d, const std::string& programFolder, const std::string& localeDecimalSign);

} // namespace kinhom
