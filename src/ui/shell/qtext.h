#pragma once
// Text between core (std::string, UTF-8) and the windows (QString).

#include <QString>

#include <string>

namespace kinhom {

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline std::string S(const QString& s) { return s.toStdString(); }

} // namespace kinhom
