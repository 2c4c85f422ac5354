#pragma once
// The experimental data file (.KV3): a text file with CR LF line ends.
//   line 1   the data comment
//   line 2   the time unit ("s", "min", "h", "d" or "a")
//   line 3   the column header (skipped when read)
//   line 4   the number of points N
//   line 5.. one point per line, 13 fields:
//            t, cA, cB, cC, cP, cQ, k, T, lambda, lambda(inf), res3, res4, exclude
// t, lambda, res3 and res4 are written in single precision, the others in
// double precision; lambda(inf) is the data set's LambdaUnendlich on every line.
// t is read in double precision but must lie within single precision, so that
// every file that loads can be saved again.
//
// A file is parsed completely before anything in memory changes: a file that
// cannot be read leaves the measured data, DateiName, Kommentar, Zeiteinheit and
// ZeiteinheitIndex exactly as they were, and the error names the file and line.

#include <string>
#include <vector>

#include "core/kinetics/notify.h"
#include "core/shell/declare.h"

namespace kinhom {

// Line 3 of every data file.
extern const char* const kDataFileHeader;

// The most points a data set can hold (the point count is a 16-bit Integer).
constexpr int kMaxExpPunkte = 32767;

// The index 0 to 4 of a time-unit text; any other text gives 0.
std::int16_t ZeiteinheitIndexOf(const std::string& unit);

// A data file as read, before it is applied to the shared state.
struct DataFileContent {
    std::string Kommentar;           // line 1, whole
    std::string Zeiteinheit;         // line 2, a text field
    std::vector<ExpPunkt> Punkte;    // the points in file order
    double LambdaUnendlich = 0;      // the last lambda(inf) above 0; 0 when none is
    double NegativeLambdaUnendlich = 0; // the last lambda(inf) below 0 (not taken); 0 when none is
};

// Why lambda(t = infin.) must be above 0, and what to do about a negative one.
extern const char* const kLambdaUnendlichRule;

// The refusal of a negative lambda(t = infin.) typed by the user: false with
// the reason (kLambdaUnendlichRule) for v < 0; 0 (no value) and positive
// values pass.
bool LambdaUnendlichAccepted(double v, std::string& why);

// Parses the lines of a data file. On failure returns false; error says what
// was wrong and errorLine is the 1-based line number (0 when the fault is not
// bound to one line).
bool ParseDataFile(const std::vector<std::string>& lines, DataFileContent& out, std::string& error,
                   int& errorLine);

// Reads and parses a data file; the error text names the file and the line.
bool ReadDataFile(const std::string& fileName, DataFileContent& out, std::string& error);

// Puts a parsed file into the shared state, replacing the data (append false)
// or adding its points after the ones in memory (append true):
// - replacing: Kommentar, Zeiteinheit and ZeiteinheitIndex come from the file;
// - appending: the comment and the unit in memory stay; the appended times are
//   converted into the unit in memory with ZeitFaktor (when memory holds no
//   points the file's unit is taken instead, as there is nothing to convert to);
// - Lambda0 becomes the lambda of the last active point of the file at t = 0
//   (0 when there is none); LambdaUnendlich becomes the file's lambda(inf) when
//   the file gives one above 0 and keeps its value otherwise.
// The caller has checked that the total fits (CanApplyDataFile).
void ApplyDataFile(Declare& d, const DataFileContent& f, bool append);

// False, with a description, when the points would not fit the table or an
// appended time converted into the unit in memory would leave single
// precision (it could not be written back); errorLine is then the point's
// line in the file (0 for a fault of the whole file).
bool CanApplyDataFile(const Declare& d, const DataFileContent& f, bool append, std::string& error,
                      int& errorLine);

// Reads fileName and applies it (ReadDataFile, CanApplyDataFile, ApplyDataFile).
// On failure nothing in d changes and error holds the message for the box
// "message from LoadDataFile". A loaded file whose lambda(inf) is negative
// is told through notify (exclamation, "message from LoadDataFile"): the
// value was not taken, and why.
bool LoadDataFile(Declare& d, const std::string& fileName, bool append, std::string& error, KinNotify& notify);

// What the load dialog does once a file is chosen: ExpDatenPfad becomes the
// folder; the file is read; on success a replacing load clears the old table
// first (DatenGeaendert false), an appending load marks the data changed (they
// now match no file), and DateiName becomes the folder joined with the name.
// On failure only ExpDatenPfad has changed. A negative lambda(inf) is told
// as by LoadDataFile.
bool LoadChosenDataFile(Declare& d, const std::string& folder, const std::string& name, bool append,
                        std::string& error, KinNotify& notify);

// The text of the data file of the data in memory (CR LF line ends).
std::string DataFileText(const Declare& d);

// Writes the data in memory to fileName through a temporary file beside it;
// on failure the old file is left intact and error holds the message for the
// box "message from WriteDataFile".
bool WriteDataFile(const Declare& d, const std::string& fileName, std::string& error);

} // namespace kinhom
