#pragma once
// Field lines of the program's text files (.KV3 data files, .KC3 project
// files): fields separated by ",", numbers with "." as the decimal sign
// whatever the locale, text fields optionally in double quotes.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kinhom {

// The line break the program's files and messages use.
inline constexpr const char* kCRLF = "\r\n";

// Splits a field line at every "," that is not inside double quotes.
// "1, 2,3" gives {"1", " 2", "3"}; an empty line gives one empty field.
std::vector<std::string> SplitFields(std::string_view line);

// A text field: read up to the first "," or the end of the line, without
// surrounding blanks; a text that starts with a double quote is read without
// the quotes (up to the last quote of the line, so a quoted text may hold ","
// and '"').
std::string ReadTextField(std::string_view line);

// The text of a text field as it is written: plain, or in double quotes when
// a plain text would not read back whole (it holds ",", starts with '"' or has
// surrounding blanks).
std::string WriteTextField(std::string_view text);

// Number fields. The whole field, without surrounding blanks, must be one
// number: an optional sign, digits with an optional "." fraction (the leading
// zero is optional), an optional exponent ("E" or "e", optional sign, digits).
// An empty field is an error (a file cut inside its last field must not read
// as a 0). Each returns false, with a description in error,
// when the field is not such a number or its value does not fit the type.
bool ParseDoubleField(std::string_view field, double& out, std::string& error);
bool ParseSingleField(std::string_view field, float& out, std::string& error);
bool ParseIntegerField(std::string_view field, std::int16_t& out, std::string& error);
// A whole number in the 32-bit range (used for counts checked by the caller).
bool ParseLongField(std::string_view field, long long& out, std::string& error);

// Splits line into exactly `count` fields; false with a description otherwise.
bool SplitExactly(std::string_view line, std::size_t count, std::vector<std::string>& fields,
                  std::string& error);

// The message of a file that cannot be read: what went wrong, then a line
// naming the file and (when line > 0) the line.
std::string FileFaultText(const std::string& what, const std::string& fileName, int line);

// Replaces line breaks by blanks, so that a one-line text stays one line.
std::string OneLine(std::string_view text);

} // namespace kinhom
