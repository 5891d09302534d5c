#include "browser/ui/folderlist.h"

#include "browser/paths.h"
#include "browser/ui/localpath.h"
#include "platform/errors.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QStyle>

namespace browser::ui {

namespace {

constexpr int PathRole = Qt::UserRole;

QTreeWidgetItem* folderItem(const QString& path, const QString& name, const QIcon& icon) {
    auto* item = new QTreeWidgetItem(QStringList{name});
    item->setData(0, PathRole, path);
    item->setIcon(0, icon);
    item->setToolTip(0, path);
    return item;
}

} // namespace

FolderList::FolderList(QWidget* parent) : QTreeWidget(parent), m_path(absoluteFolder(".")) {
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setIndentation(12);
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        setPath(fromQPath(item->data(0, PathRole).toString()));
    });
    fill();
}

void FolderList::setPath(const std::string& folder) {
    if (folder.empty())
        platform::raiseError(platform::err::PathNotFound);
    const std::string wanted = absoluteFolder(folder);
    if (!QFileInfo(toQPath(wanted)).isDir())
        platform::raiseError(platform::err::PathNotFound);
    if (wanted == m_path)
        return;
    m_path = wanted;
    fill();
    emit pathChanged();
}

void FolderList::fill() {
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);

    QTreeWidgetItem* parentItem = nullptr;
    for (const std::string& folder : folderChain(m_path)) {
        const QString path = toQPath(folder);
        const QString name = folder == "/" ? path : QFileInfo(path).fileName();
        QTreeWidgetItem* item = folderItem(path, name, open);
        if (parentItem)
            parentItem->addChild(item);
        else
            addTopLevelItem(item);
        parentItem = item;
    }
    if (!parentItem)
        return;
    const QDir here(toQPath(m_path));
    for (const QString& name :
         here.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
        parentItem->addChild(folderItem(here.filePath(name), name, closed));
    expandAll();
    setCurrentItem(parentItem);
    scrollToItem(parentItem);
}

} // namespace browser::ui
