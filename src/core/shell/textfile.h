#pragma once
// Reading and writing whole text files safely.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kinhom {

// Reads a text file into lines (without their line ends). CR LF and LF both end
// a line (a lone CR as well); a last line without a line end counts, a line end
// at the very end of the file does not add an empty line. The content is UTF-8
// (leading UTF-8 byte order marks are dropped); a file that is not valid UTF-8
// is read as Windows-1252 and converted to UTF-8. On failure returns false,
// leaves lines empty and puts a user-facing description into error.
bool ReadTextLines(const std::filesystem::path& path, std::vector<std::string>& lines, std::string& error);

// Writes content to a temporary file in the target's folder and renames it over
// the target only when it is completely written and synced to disk; the folder
// is synced after the rename. A target that is read-only is refused. On
// failure the old file is left intact, the temporary file is removed, and
// error says why, naming the target file.
bool WriteTextFileAtomic(const std::filesystem::path& path, const std::string& content, std::string& error);

// The lines of a file's content as ReadTextLines splits and decodes them.
std::vector<std::string> TextToLines(std::string_view bytes);

// Decoding used by ReadTextLines, available to readers of in-memory text.
bool IsValidUtf8(std::string_view bytes);
std::string Windows1252ToUtf8(std::string_view bytes);

} // namespace kinhom
