#pragma once

#include "platform/dialogs.h"

#include <QString>

class QWidget;

namespace platform::qt {

// The desktop's own colour, font and file dialogs, modal over `parent`.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : m_parent(parent) {}

    std::optional<Color> chooseColor(Color current) override;
    std::optional<FontDescription> chooseFont(const FontDescription& current) override;
    std::optional<std::string> openFile(const std::string& filter) override;
    std::optional<std::string> saveFile(const std::string& fileName,
                                        const std::string& filter) override;

private:
    QWidget* m_parent;
};

// "Bitmap Files (*.BMP)|*.BMP" as a file dialog's name filters; each pattern is given in upper
// and lower case as well, as file names on this platform are case-sensitive.
QString toNameFilters(const std::string& filter);

} // namespace platform::qt
