#pragma once
// Number text: every conversion between numbers and text that the program uses.
// Nothing here depends on the C locale (the Qt application sets LC_NUMERIC from
// the user's environment); the decimal sign is always "." unless a function
// takes it as a parameter.

#include <string>
#include <string_view>

namespace kinhom {

// ---- number to text ------------------------------------------------------------
//
// The number-to-text form: a blank before a non-negative number, "-" before a
// negative one, "." as decimal sign, the leading zero written; up to 7 (Single)
// or 15 (Double) significant digits, trailing zeros dropped. The exponent form
// (mantissa, "E", sign, at least two exponent digits) is used when the rounded
// magnitude is below 1e-4 or at least 1e7 (Single) / 1e15 (Double).
//   StrSingle(1.5f) == " 1.5"      StrSingle(-1.0f) == "-1"
//   StrSingle(0.0f) == " 0"        StrSingle(-0.0f) == " 0"
//   StrSingle(0.15f) == " 0.15"    StrSingle(1.5e-5f) == " 1.5E-05"
//   StrSingle(12345678.0f) == " 1.234568E+07"
// Every finite value is written so that it reads back: the largest doubles,
// whose nearest 15-digit text would lie beyond the range, are rounded toward
// zero (StrDouble(DBL_MAX) == " 1.79769313486231E+308").
// A value that is not finite (never produced by the program's own checks) is
// written " Inf", "-Inf" or " NaN".
std::string StrSingle(float v);
std::string StrDouble(double v);

// The general form: the same digits without the leading blank, with the given
// decimal sign ("0.15", "-1", "1.5E-05"). The ui passes the locale's sign where
// the text is meant for the user's locale.
std::string GenSingle(float v, char dec = '.');
std::string GenDouble(double v, char dec = '.');

// ---- text to number ------------------------------------------------------------
//
// The leading-numeric-part reader: leading blanks, tabs and line ends, an optional sign,
// digits with an optional "." fraction (the leading zero is optional: ".5"),
// an optional exponent "E" or "e" with optional sign and digits. Reading stops
// at the first character that cannot continue the number; text without a
// number gives 0. "inf", "nan" and hexadecimal forms are not numbers (they give
// 0, "0x10" gives 0). A value whose magnitude exceeds a double's range gives
// +inf or -inf so that callers can refuse it; one below the smallest double
// gives 0. "1E" and "1E+" read as 1 (the incomplete exponent is not part of the
// number).
double Val(std::string_view text);

// Reads text like Val and tells whether the value is finite (fits a double).
bool ValFits(std::string_view text, double& out);

// True when v is finite and its magnitude does not exceed the largest float,
// i.e. converting it to single precision does not overflow.
bool FitsSingle(double v);

// Reads text like Val and tells whether the value fits a float; out receives
// the value rounded to single precision (0 when it does not fit).
bool ValFitsSingle(std::string_view text, float& out);

// ---- format patterns -----------------------------------------------------------
//
// FormatPattern writes v by one of the program's format patterns:
//   "#"  an optional digit, "0" a forced digit, "." the decimal sign (written
//        as dec), "E+" an exponent with its sign always written.
// The integer part is always written in full, whatever the number of "#".
//   "#######0.00", "#####0.00", "####0.00", "0.00"  -> at least one integer
//        digit and exactly two decimals: 3.14159 -> "3.14", 0 -> "0.00"
//   "####0.0"    -> one decimal:  -12.25 -> "-12.3"
//   "0.00000"    -> five decimals: 0.9876543 -> "0.98765"
//   ".0"         -> one decimal, no forced integer digit: 0.5 -> ".5",
//        2.25 -> "2.3", 0 -> ".0"
//   "0.000000E+00" -> one mantissa digit, six decimals, "E", sign, at least two
//        exponent digits: 12345.678 -> "1.234568E+04", 0 -> "0.000000E+00"
//   "####,##"    -> used for temperatures in curve labels. The comma is taken
//        as a decimal sign with two optional decimals: the value is rounded to
//        two decimals and trailing zeros (and a bare decimal sign) are dropped:
//        298.15 -> "298.15", 298.5 -> "298.5", 300 -> "300". (Read as a
//        thousands separator it would round every temperature to a whole
//        kelvin, and temperatures 0.01 K apart, which the program keeps
//        apart, would get the same label.)
// Rounding is half away from zero on the value's decimal digits (the value is
// first taken to 15 significant digits, so 2.675 gives "2.68" as a user expects).
// A negative value that rounds to zero is written without the minus sign.
// A pattern that is not one of the patterns above throws std::invalid_argument
// (a programming error, not a user error). A value that is not finite is written
// "Inf", "-Inf" or "NaN".
std::string FormatPattern(double v, std::string_view pattern, char dec = '.');

// The same for a Single value: its decimal digits are taken to 7 significant
// digits first, as the program formats Single values (2.675f gives "2.68").
std::string FormatPatternSingle(float v, std::string_view pattern, char dec = '.');

} // namespace kinhom
