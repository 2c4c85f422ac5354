#pragma once
// Values between core and the windows: text (std::string in UTF-8 and QString)
// and colours (Rgb and QColor).

#include <QColor>
#include <QString>

#include <string>

#include "core/shell/rgb.h"

namespace kinhom {

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline std::string S(const QString& s) { return s.toStdString(); }

inline QColor ToQColor(const Rgb& c) { return QColor(c.r, c.g, c.b); }
inline Rgb FromQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

} // namespace kinhom
