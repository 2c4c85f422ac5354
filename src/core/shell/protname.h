#pragma once
// The name of the automatic protocol file: the date as yymmdd, a counter from
// 01 and ".CSV" ("24031501.CSV"). The first counter whose file does not exist
// in the folder gives the name; after 99 the counter goes on with three digits
// (100, 101, ...), so a folder full of a day's protocols never stalls.

#include <filesystem>
#include <string>

namespace kinhom {

// The name for a date (year with four digits) and counter.
std::string ProtFileName(int year, int month, int day, int counter);

// The first name of that date whose file does not exist in folder. The name is
// only found; no file is created.
std::string NextProtFileName(const std::filesystem::path& folder, int year, int month, int day);

// The same for today's local date.
std::string NextProtFileNameToday(const std::filesystem::path& folder);

} // namespace kinhom
