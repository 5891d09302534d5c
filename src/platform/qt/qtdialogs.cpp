#include "platform/qt/qtdialogs.h"

#include "platform/qt/qtcolor.h"
#include "platform/qt/qtfont.h"

#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QStringList>

namespace platform::qt {

namespace {

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString patternsInBothCases(const QString& patterns) {
    QStringList all;
    for (const QString& pattern : patterns.split(';', Qt::SkipEmptyParts)) {
        for (const QString& form : {pattern, pattern.toUpper(), pattern.toLower()})
            if (!all.contains(form))
                all << form;
    }
    return all.join(' ');
}

} // namespace

QString toNameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        // The description usually names its patterns already: keep only our list in brackets.
        const auto bracket = description.indexOf('(');
        if (bracket > 0)
            description = description.left(bracket).trimmed();
        filters << QStringLiteral("%1 (%2)").arg(description, patternsInBothCases(parts[i + 1]));
    }
    return filters.join(QStringLiteral(";;"));
}

std::optional<Color> QtDialogs::chooseColor(Color current) {
    const QColor chosen = QColorDialog::getColor(toQColor(current), m_parent);
    if (!chosen.isValid())
        return std::nullopt;
    return fromQColor(chosen);
}

std::optional<FontDescription> QtDialogs::chooseFont(const FontDescription& current) {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, toQFont(current), m_parent);
    if (!ok)
        return std::nullopt;
    return fromQFont(chosen);
}

std::optional<std::string> QtDialogs::openFile(const std::string& filter) {
    const QString path =
        QFileDialog::getOpenFileName(m_parent, QString(), QString(), toNameFilters(filter));
    if (path.isEmpty())
        return std::nullopt;
    return localPath(path);
}

std::optional<std::string> QtDialogs::saveFile(const std::string& fileName,
                                               const std::string& filter) {
    const QString path = QFileDialog::getSaveFileName(
        m_parent, QString(), QFile::decodeName(QByteArray::fromStdString(fileName)),
        toNameFilters(filter));
    if (path.isEmpty())
        return std::nullopt;
    return localPath(path);
}

} // namespace platform::qt
