#include "platform/qt/qtsettingsstore.h"

#include "platform/errors.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>

namespace platform::qt {

namespace {

constexpr QSettings::Format Ini = QSettings::IniFormat;

QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

std::optional<std::string> QtSettingsStore::value(const std::string& application,
                                                  const std::string& section,
                                                  const std::string& key) const {
    QSettings settings(Ini, QSettings::UserScope, qText(application));
    settings.beginGroup(qText(section));
    if (!settings.contains(qText(key)))
        return std::nullopt;
    const QVariant stored = settings.value(qText(key));
    // A text edited by hand with commas and no quotes comes back as a list.
    if (stored.userType() == QMetaType::QStringList)
        return stored.toStringList().join(QStringLiteral(", ")).toStdString();
    return stored.toString().toStdString();
}

void QtSettingsStore::setValue(const std::string& application, const std::string& section,
                               const std::string& key, const std::string& text) {
    QSettings settings(Ini, QSettings::UserScope, qText(application));
    settings.beginGroup(qText(section));
    settings.setValue(qText(key), qText(text));
    settings.endGroup();
    settings.sync();
    if (settings.status() != QSettings::NoError)
        raiseError(err::PathFileAccess);
}

} // namespace platform::qt
