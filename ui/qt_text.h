#pragma once
// UTF-8 text of the core <-> QString.
#include <string>
#include <string_view>

#include <QString>

namespace tavelmark::ui {

inline QString ToQString(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
inline std::string ToStdString(const QString& s) { return s.toUtf8().toStdString(); }

}  // namespace tavelmark::ui
