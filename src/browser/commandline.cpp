#include "browser/commandline.h"

#include "platform/errors.h"
#include "platform/streammessagesink.h"
#include "player/lyricsexport.h"
#include "song/karreader.h"
#include "song/linebuilder.h"
#include "song/songinfo.h"
#include "song/songjson.h"

#include <exception>
#include <ostream>

namespace browser {

namespace {

// "Error N: description", with what the system said about it when there is something.
int reportRuntimeError(std::exception_ptr error, std::ostream& err) {
    try {
        std::rethrow_exception(error);
    } catch (const platform::RuntimeError& e) {
        err << e.what() << '\n';
    } catch (...) {
        const int number = platform::errorNumberOf(std::current_exception());
        err << "Error " << number << ": " << platform::errorDescription(number) << '\n';
    }
    return ExitRuntimeError;
}

} // namespace

int RunDump(const std::string& path, std::ostream& out, std::ostream& err) {
    platform::StreamMessageSink messages(err);
    try {
        song::SongModel song;
        if (!song::ReadKar(path, song.Lyrics, song.Division, song.Tempos, messages))
            return ExitRejected;
        song::BuildLines(song.Lyrics, song.Lines);
        std::string info;
        std::string title;
        song::ReadSongInfo(path, info, title, messages);
        if (messages.count() > 0)
            return ExitRejected;
        out << song::SongToJson(song, title, info) << '\n';
        return ExitOk;
    } catch (...) {
        return reportRuntimeError(std::current_exception(), err);
    }
}

int RunExport(const std::string& songPath, const std::string& outPath, std::ostream& err) {
    platform::StreamMessageSink messages(err);
    try {
        song::SongModel song;
        if (!song::ReadKar(songPath, song.Lyrics, song.Division, song.Tempos, messages))
            return ExitRejected;
        song::BuildLines(song.Lyrics, song.Lines);
        player::ExportLyrics(player::rowsOfLines(song.Lines), outPath);
        return ExitOk;
    } catch (...) {
        return reportRuntimeError(std::current_exception(), err);
    }
}

std::string stripQuotes(const std::string& argument) {
    if (argument.size() >= 2 && argument.front() == '"' && argument.back() == '"')
        return argument.substr(1, argument.size() - 2);
    return argument;
}

} // namespace browser
