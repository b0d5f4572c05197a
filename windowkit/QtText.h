// Conversions between the engines' UTF-8 std::string and Qt's QString.
#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace tenvoll {

inline QString qs(const std::string& s) {
    return QString::fromStdString(s);
}
inline QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
inline QString qs(const char* s) {
    return QString::fromUtf8(s);
}
inline std::string ss(const QString& s) {
    return s.toStdString();
}

// Text of the league's data (team names, paths, prompts) for a menu item, a
// button or a label with a buddy, where a single "&" marks a shortcut key.
inline QString mnemonicSafe(QString text) {
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

inline QStringList qsList(const std::vector<std::string>& v) {
    QStringList out;
    out.reserve(static_cast<qsizetype>(v.size()));
    for (const auto& s : v)
        out << qs(s);
    return out;
}

} // namespace tenvoll
