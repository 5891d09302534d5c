#include "browser/ui/localpath.h"

#include <QDir>

namespace browser::ui {

std::string absoluteFolder(const std::string& path) {
    return fromQPath(QDir::cleanPath(QDir::current().absoluteFilePath(toQPath(path))));
}

} // namespace browser::ui
