#pragma once

#include "platform/dialogs.h"

#include <deque>
#include <string>
#include <vector>

namespace testsupport {

// Dialogs that answer from a script, in order; an empty script answers Cancel. Every call is
// logged with what the dialog was started with.
class ScriptedDialogs : public platform::Dialogs {
public:
    std::deque<std::optional<platform::Color>> colors;
    std::deque<std::optional<platform::FontDescription>> fonts;
    std::deque<std::optional<std::string>> openFiles;
    std::deque<std::optional<std::string>> saveFiles;
    std::vector<std::string> calls;

    std::optional<platform::Color> chooseColor(platform::Color current) override {
        calls.push_back("color " + std::to_string(current));
        return next(colors);
    }
    std::optional<platform::FontDescription>
    chooseFont(const platform::FontDescription& current) override {
        calls.push_back("font " + current.name);
        return next(fonts);
    }
    std::optional<std::string> openFile(const std::string& filter) override {
        calls.push_back("open " + filter);
        return next(openFiles);
    }
    std::optional<std::string> saveFile(const std::string& fileName,
                                        const std::string& filter) override {
        calls.push_back("save " + fileName + " " + filter);
        return next(saveFiles);
    }

private:
    template <typename T> static std::optional<T> next(std::deque<std::optional<T>>& script) {
        if (script.empty())
            return std::nullopt;
        auto answer = script.front();
        script.pop_front();
        return answer;
    }
};

} // namespace testsupport
