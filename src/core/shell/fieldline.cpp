#include "core/shell/fieldline.h"

#include <cctype>
#include <cmath>
#include <limits>

#include "core/shell/numtext.h"

namespace kinhom {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// True when s (already trimmed) is one complete number in the file grammar.
bool IsNumberText(std::string_view s)
{
    std::size_t i = 0;
    const std::size_t n = s.size();
    if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < n && IsDigit(s[i])) ++i, ++digits;
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && IsDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < n && (s[i] == 'E' || s[i] == 'e')) {
        ++i;
        if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < n && IsDigit(s[i])) ++i, ++expDigits;
        if (expDigits == 0) return false;
    }
    return i == n;
}

std::string Quoted(std::string_view field) { return "\"" + std::string(field) + "\""; }

} // namespace

std::vector<std::string> SplitFields(std::string_view line)
{
    std::vector<std::string> fields;
    std::string current;
    bool inQuotes = false;
    for (char c : line) {
        if (c == '"') inQuotes = !inQuotes;
        if (c == ',' && !inQuotes) {
            fields.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    fields.push_back(current);
    return fields;
}

std::string ReadTextField(std::string_view line)
{
    std::string_view s = line;
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    if (!s.empty() && s.front() == '"') {
        s.remove_prefix(1);
        const std::size_t close = s.rfind('"');
        if (close != std::string_view::npos) s = s.substr(0, close);
        return std::string(s);
    }
    const std::size_t comma = s.find(',');
    if (comma != std::string_view::npos) s = s.substr(0, comma);
    return std::string(Trim(s));
}

std::string WriteTextField(std::string_view text)
{
    const bool needsQuotes = text.find(',') != std::string_view::npos ||
                             (!text.empty() && (text.front() == '"' || IsBlank(text.front()) ||
                                                IsBlank(text.back())));
    return needsQuotes ? "\"" + std::string(text) + "\"" : std::string(text);
}

bool ParseDoubleField(std::string_view field, double& out, std::string& error)
{
    const std::string_view s = Trim(field);
    if (s.empty()) {
        error = "a number is missing (empty field)";
        return false;
    }
    if (!IsNumberText(s)) {
        error = "Type mismatch: " + Quoted(s) + " is not a number";
        return false;
    }
    double v = 0;
    if (!ValFits(s, v)) {
        error = "Overflow: " + Quoted(s) + " is too large";
        return false;
    }
    out = v;
    return true;
}

bool ParseSingleField(std::string_view field, float& out, std::string& error)
{
    double v = 0;
    if (!ParseDoubleField(field, v, error)) return false;
    if (!FitsSingle(v)) {
        error = "Overflow: " + Quoted(Trim(field)) + " is too large for single precision";
        return false;
    }
    out = static_cast<float>(v);
    return true;
}

bool ParseLongField(std::string_view field, long long& out, std::string& error)
{
    double v = 0;
    if (!ParseDoubleField(field, v, error)) return false;
    if (v != std::floor(v)) {
        error = "Type mismatch: " + Quoted(Trim(field)) + " is not a whole number";
        return false;
    }
    if (v < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
        v > static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        error = "Overflow: " + Quoted(Trim(field)) + " is out of range";
        return false;
    }
    out = static_cast<long long>(v);
    return true;
}

bool ParseIntegerField(std::string_view field, std::int16_t& out, std::string& error)
{
    long long v = 0;
    if (!ParseLongField(field, v, error)) return false;
    if (v < std::numeric_limits<std::int16_t>::min() || v > std::numeric_limits<std::int16_t>::max()) {
        error = "Overflow: " + Quoted(Trim(field)) + " is out of range";
        return false;
    }
    out = static_cast<std::int16_t>(v);
    return true;
}

bool SplitExactly(std::string_view line, std::size_t count, std::vector<std::string>& fields,
                  std::string& error)
{
    fields = SplitFields(line);
    if (fields.size() != count) {
        error = "expected " + std::to_string(count) + (count == 1 ? " field" : " fields") + ", found " +
                std::to_string(fields.size());
        return false;
    }
    return true;
}

std::string FileFaultText(const std::string& what, const std::string& fileName, int line)
{
    std::string text = what + kCRLF + "File: " + fileName;
    if (line > 0) text += ", line " + std::to_string(line);
    return text;
}

std::string OneLine(std::string_view text)
{
    std::string s(text);
    for (char& c : s)
        if (c == '\r' || c == '\n') c = ' ';
    return s;
}

} // namespace kinhom
