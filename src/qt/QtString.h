#pragma once

#include <QString>
#include <string>

namespace keepgate::qt {

// The core holds UTF-8 bytes; Qt holds UTF-16. These are the only conversions between them.
inline QString toQString(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string fromQString(const QString& text) {
    return text.toStdString();
}

} // namespace keepgate::qt
