#pragma once

#include <QFile>
#include <QString>

#include <string>
#include <string_view>

namespace qw::desktop {

// File names cross between the core (bytes, as the platform spells them) and
// the widgets (QString) only through these two.
inline std::string toNativeName(const QString& name) {
    const QByteArray bytes = QFile::encodeName(name);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

inline QString fromNativeName(std::string_view name) {
    return QFile::decodeName(QByteArray(name.data(), static_cast<qsizetype>(name.size())));
}

} // namespace qw::desktop
