#pragma once

#include <QTreeWidget>

#include <string>

namespace browser::ui {

// The folder list: the folders from the root down to the open folder, and the open folder's
// subfolders under it. Activating a folder (double click, Enter) opens it; opening a folder, by
// hand or from code, tells pathChanged.
class FolderList : public QTreeWidget {
    Q_OBJECT

public:
    // Starts in the current folder.
    explicit FolderList(QWidget* parent = nullptr);

    const std::string& path() const { return m_path; }
    // Opens `folder` (absolute, or relative to the current folder). RuntimeError PathNotFound
    // when it is no folder, an empty text included; then nothing changes.
    void setPath(const std::string& folder);

signals:
    void pathChanged();

private:
    void fill();

    std::string m_path;
};

} // namespace browser::ui
