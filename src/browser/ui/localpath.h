#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <string>

namespace browser::ui {

// Paths travel through the program as the bytes the file system uses (UTF-8 here) and are shown
// as Qt text.
inline QString toQPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

inline std::string fromQPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// An absolute, cleaned folder path; a relative one is taken from the current folder.
std::string absoluteFolder(const std::string& path);

} // namespace browser::ui
