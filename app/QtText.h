#pragma once
// Text of the program's tables as Qt strings.

#include <QString>

#include <string_view>

namespace vantle::ui {

inline QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace vantle::ui
