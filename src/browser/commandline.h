#pragma once

#include <iosfwd>
#include <string>

namespace browser {

// Exit codes of the command-line modes.
inline constexpr int ExitOk = 0;
inline constexpr int ExitRejected = 1; // the reader's message went to the error stream
inline constexpr int ExitRuntimeError =
    2; // "Error N: description (detail)" went to the error stream

// `vocatune --dump SONG`: the loaded song as one JSON object on `out`.
int RunDump(const std::string& path, std::ostream& out, std::ostream& err);

// `vocatune --export SONG OUT`: the song's lyrics as the player's Export button writes them, one
// row per display line, replacing OUT whole or not at all.
int RunExport(const std::string& songPath, const std::string& outPath, std::ostream& err);

// Removes one pair of double quotes around a command-line path, as file managers pass them.
std::string stripQuotes(const std::string& argument);

} // namespace browser
