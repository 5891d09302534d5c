#pragma once

#include "platform/settingsstore.h"

namespace platform::qt {

// The settings in an INI file in the user's configuration folder, one file per application
// name ("$XDG_CONFIG_HOME/<application>.ini"), one group per section; values are kept as the
// exact texts given.
class QtSettingsStore : public SettingsStore {
public:
    std::optional<std::string> value(const std::string& application, const std::string& section,
                                     const std::string& key) const override;
    void setValue(const std::string& application, const std::string& section,
                  const std::string& key, const std::string& text) override;
};

} // namespace platform::qt
