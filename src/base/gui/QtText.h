// Text between the program's std::string (UTF-8) and Qt, and file paths between
// Qt and the file system's encoding.
#pragma once

#include <QFile>
#include <QString>

#include <string>

namespace krovel {

inline QString ToQt(const std::string& utf8) {
    return QString::fromStdString(utf8);
}
inline std::string FromQt(const QString& text) {
    return text.toStdString();
}

inline QString PathToQt(const std::string& path) {
    return QFile::decodeName(path.c_str());
}
inline std::string PathFromQt(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace krovel
