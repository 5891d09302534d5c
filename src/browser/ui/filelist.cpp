#include "browser/ui/filelist.h"

#include "browser/paths.h"
#include "browser/ui/localpath.h"
#include "platform/errors.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>

namespace browser::ui {

FileList::FileList(QWidget* parent) : QListWidget(parent), m_path(absoluteFolder(".")) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0)
            return;
        m_fileName = fromQPath(item(row)->text());
        emit fileClicked();
    });
    connect(this, &QListWidget::itemActivated, this, [this] {
        if (!m_fileName.empty())
            emit fileActivated();
    });
    refresh();
}

void FileList::setPath(const std::string& folder) {
    if (folder.empty())
        platform::raiseError(platform::err::PathNotFound);
    const std::string wanted = absoluteFolder(folder);
    if (!QFileInfo(toQPath(wanted)).isDir())
        platform::raiseError(platform::err::PathNotFound);
    m_path = wanted;
    refresh();
}

void FileList::setPattern(const std::string& pattern) {
    m_pattern = pattern;
    refresh();
}

void FileList::setFileName(const std::string& name) {
    m_fileName = name;
    selectListed(name);
}

void FileList::refresh() {
    const QSignalBlocker quiet(this);
    clear();
    const QDir folder(toQPath(m_path));
    for (const QString& name :
         folder.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware)) {
        if (matchesPattern(fromQPath(name), m_pattern))
            addItem(name);
    }
    const std::string kept = m_fileName;
    m_fileName.clear();
    selectListed(kept);
    if (currentRow() >= 0)
        m_fileName = kept;
}

void FileList::selectListed(const std::string& name) {
    const QSignalBlocker quiet(this);
    setCurrentRow(-1);
    if (name.empty())
        return;
    const QString wanted = toQPath(name);
    for (int row = 0; row < count(); ++row) {
        if (item(row)->text() == wanted) {
            setCurrentRow(row);
            scrollToItem(item(row));
            return;
        }
    }
}

} // namespace browser::ui
