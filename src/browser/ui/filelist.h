#pragma once

#include <QListWidget>

#include <string>

namespace browser::ui {

// The file list: the files of one folder whose names match a pattern (letters in either case).
// Selecting a file by hand tells fileClicked; activating one (double click, Enter) tells
// fileActivated.
class FileList : public QListWidget {
    Q_OBJECT

public:
    // Lists every file of the current folder.
    explicit FileList(QWidget* parent = nullptr);

    const std::string& path() const { return m_path; }
    // Lists another folder (absolute, or relative to the current folder). RuntimeError
    // PathNotFound when it is no folder, an empty text included; then nothing changes.
    void setPath(const std::string& folder);

    const std::string& pattern() const { return m_pattern; }
    // "*.kar", or several patterns separated by ";".
    void setPattern(const std::string& pattern);

    // The selected file's name, empty when there is none.
    const std::string& fileName() const { return m_fileName; }
    // Selects the file of that name. The name stays the file name even when the list does not
    // show it, until the list is filled again.
    void setFileName(const std::string& name);

    // Reads the folder again; the selection stays on the same name if it is still there.
    void refresh();

signals:
    void fileClicked();
    void fileActivated();

private:
    void selectListed(const std::string& name);

    std::string m_path;
    std::string m_pattern = "*";
    std::string m_fileName;
};

} // namespace browser::ui
