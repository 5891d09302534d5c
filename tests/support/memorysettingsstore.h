#pragma once

#include "platform/settingsstore.h"

#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace testsupport {

// A settings store in memory that also keeps every write, in order, as "Section/Key=text".
class MemorySettingsStore : public platform::SettingsStore {
public:
    std::optional<std::string> value(const std::string& application, const std::string& section,
                                     const std::string& key) const override {
        const auto found = values.find({application, section, key});
        if (found == values.end())
            return std::nullopt;
        return found->second;
    }
    void setValue(const std::string& application, const std::string& section,
                  const std::string& key, const std::string& text) override {
        values[{application, section, key}] = text;
        writes.push_back(section + "/" + key + "=" + text);
    }

    std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
    std::vector<std::string> writes;
};

} // namespace testsupport
