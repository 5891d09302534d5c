#include "browser/ui/drivelist.h"

#include "browser/paths.h"
#include "browser/ui/localpath.h"
#include "platform/errors.h"

#include <QDir>
#include <QSignalBlocker>
#include <QStorageInfo>

#include <algorithm>

namespace browser::ui {

namespace {

bool isMediaMount(const QString& root) {
    for (const char* folder : {"/media/", "/run/media/", "/mnt/"}) {
        if (root.startsWith(QLatin1String(folder)))
            return true;
    }
    return false;
}

std::vector<std::string> roots(const std::vector<Drive>& drives) {
    std::vector<std::string> result;
    result.reserve(drives.size());
    for (const Drive& drive : drives)
        result.push_back(drive.root);
    return result;
}

} // namespace

std::vector<Drive> mountedDrives() {
    std::vector<Drive> drives{{"/", QStringLiteral("/")}};
    const QString home = QDir::cleanPath(QDir::homePath());
    if (home != QLatin1String("/"))
        drives.push_back({fromQPath(home), QObject::tr("Home (%1)").arg(home)});
    std::vector<Drive> media;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (volume.isValid() && volume.isReady() && isMediaMount(root))
            media.push_back(
                {fromQPath(root), QStringLiteral("%1 (%2)").arg(volume.displayName(), root)});
    }
    std::sort(media.begin(), media.end(),
              [](const Drive& a, const Drive& b) { return a.root < b.root; });
    drives.insert(drives.end(), media.begin(), media.end());
    return drives;
}

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
    const std::vector<Drive> drives = mountedDrives();
    fill(drives);
    {
        const QSignalBlocker quiet(this);
        const std::string here = browser::driveOf(absoluteFolder("."), roots(drives));
        setCurrentIndex(std::max(0, findData(toQPath(here))));
    }
    connect(this, &QComboBox::currentIndexChanged, this, &DriveList::driveChanged);
}

DriveList::DriveList(std::vector<Drive> drives, QWidget* parent)
    : QComboBox(parent), m_fixed(true) {
    fill(drives);
    connect(this, &QComboBox::currentIndexChanged, this, &DriveList::driveChanged);
}

void DriveList::fill(const std::vector<Drive>& drives) {
    const QSignalBlocker quiet(this);
    const QVariant chosen = currentData();
    clear();
    for (const Drive& drive : drives)
        addItem(drive.label, toQPath(drive.root));
    const int again = chosen.isValid() ? findData(chosen) : -1;
    setCurrentIndex(again >= 0 ? again : 0);
}

std::string DriveList::drive() const {
    return fromQPath(currentData().toString());
}

void DriveList::setDrive(const std::string& path) {
    if (path.empty())
        platform::raiseError(platform::err::PathNotFound);
    std::vector<std::string> known;
    for (int i = 0; i < count(); ++i)
        known.push_back(fromQPath(itemData(i).toString()));
    const std::string root = browser::driveOf(absoluteFolder(path), known);
    if (root.empty())
        platform::raiseError(platform::err::PathNotFound);
    setCurrentIndex(findData(toQPath(root)));
}

void DriveList::showPopup() {
    if (!m_fixed) {
        const std::string before = drive();
        fill(mountedDrives());
        // The chosen volume went away: the list falls back to the root and says so.
        if (drive() != before)
            emit driveChanged();
    }
    QComboBox::showPopup();
}

} // namespace browser::ui
