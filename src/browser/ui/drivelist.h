#pragma once

#include <QComboBox>
#include <QString>

#include <string>
#include <vector>

namespace browser::ui {

struct Drive {
    std::string root; // the volume's root folder
    QString label;
};

// The volumes a user keeps songs on: the root, the home folder, and what is mounted under
// /media, /run/media and /mnt (removable media and other disks).
std::vector<Drive> mountedDrives();

// The drive list: one entry per volume; choosing one, by hand or from code, tells driveChanged.
// The list is read again each time it drops down, so media plugged in later show up.
class DriveList : public QComboBox {
    Q_OBJECT

public:
    explicit DriveList(QWidget* parent = nullptr);
    // A fixed set of volumes (no re-reading), starting on the first.
    DriveList(std::vector<Drive> drives, QWidget* parent);

    // The chosen volume's root folder.
    std::string drive() const;
    // Chooses the volume that holds `path` (an absolute path, or one relative to the current
    // folder). RuntimeError PathNotFound when no volume does, an empty path included.
    void setDrive(const std::string& path);

    void showPopup() override;

signals:
    void driveChanged();

private:
    void fill(const std::vector<Drive>& drives);

    bool m_fixed = false;
};

} // namespace browser::ui
