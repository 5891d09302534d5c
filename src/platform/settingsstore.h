#pragma once

#include <optional>
#include <string>

namespace platform {

// The per-user settings store: texts addressed by application name, section and key (UTF-8).
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text, or nothing when the key has never been written (which is not the same
    // as an empty text).
    virtual std::optional<std::string> value(const std::string& application,
                                             const std::string& section,
                                             const std::string& key) const = 0;
    // Throws RuntimeError(PathFileAccess) when the store cannot be written.
    virtual void setValue(const std::string& application, const std::string& section,
                          const std::string& key, const std::string& text) = 0;
};

// The stored text, or `fallback` when the key is missing.
inline std::string getSetting(const SettingsStore& store, const std::string& application,
                              const std::string& section, const std::string& key,
                              const std::string& fallback) {
    return store.value(application, section, key).value_or(fallback);
}

} // namespace platform
