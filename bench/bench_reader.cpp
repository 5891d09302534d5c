// The KAR reader over songs held in memory: a synthetic 10 MB song whose bulk sits in the two
// walked chunks (tempo track and words track), and a typical 50 KB song laid out as real files
// are (small tempo and words tracks, music in later tracks the reader never visits).

#include "platform/messagesink.h"
#include "song/karreader.h"
#include "support/karbuilder.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace testsupport;

namespace {

class DropMessages : public platform::MessageSink {
public:
    void showMessage(const std::string&, platform::MessageIcon) override {}
};

// Notes on a few channels, half of them in running status, as sequencers write them.
void addMusic(TrackBuilder& track, int notes) {
    for (int i = 0; i < notes; ++i) {
        const auto key = static_cast<std::uint8_t>(48 + i % 24);
        if (i % 2 == 0)
            track.channel(static_cast<std::uint32_t>(i % 3 == 0 ? 0 : 60), {0x91, key, 90});
        else
            track.channel(60, {key, 0});
        if (i % 500 == 0)
            track.channel(0, {0xB1, 7, 100});
    }
}

std::string syntheticBigSong() {
    TrackBuilder tempo;
    for (int block = 0; block < 360; ++block) {
        tempo.tempo(0, 400000 + static_cast<std::uint32_t>(block) * 100);
        addMusic(tempo, 5000);
    }
    TrackBuilder words;
    for (int syllable = 0; syllable < 24000; ++syllable) {
        words.text(0, syllable % 8 == 0 ? "/Twin" : (syllable % 2 ? "kle" : " lit"));
        addMusic(words, 42);
    }
    return karFile(480, tempo.endOfTrack(), TrackBuilder().text(0, "@Iinfo").endOfTrack(),
                   words.endOfTrack());
}

std::string typicalSong() {
    TrackBuilder tempo;
    tempo.meta(0, 0x02, "Copyright line of the arrangement").tempo(0, 500000);
    tempo.tempo(7680, 520000).endOfTrack();
    TrackBuilder info;
    info.text(0, "@KMIDI KARAOKE FILE").text(0, "@IAn arrangement").endOfTrack();
    TrackBuilder words;
    words.text(0, "@TA Song").text(0, "@TSinger");
    for (int syllable = 0; syllable < 400; ++syllable)
        words.text(120, syllable % 7 == 0 ? "/Twin" : (syllable % 2 ? "kle" : " lit"));
    std::string file = karFile(480, tempo, info, words.endOfTrack());
    for (int music = 0; music < 4; ++music) {
        TrackBuilder track;
        addMusic(track, 3600);
        file += track.endOfTrack().chunk();
    }
    return file;
}

void readFromMemory(benchmark::State& state, const std::string& song) {
    DropMessages messages;
    for (auto _ : state) {
        song::SongModel model;
        const bool ok = song::ReadKarBytes(song, "/bench.kar", model.Lyrics, model.Division,
                                           model.Tempos, messages);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(model.Lyrics.upper());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(song.size()));
    state.counters["file_bytes"] = static_cast<double>(song.size());
}

void BM_ReadKar_Synthetic10MB(benchmark::State& state) {
    static const std::string song = syntheticBigSong();
    readFromMemory(state, song);
}
BENCHMARK(BM_ReadKar_Synthetic10MB)->Unit(benchmark::kMillisecond);

void BM_ReadKar_Typical50KB(benchmark::State& state) {
    static const std::string song = typicalSong();
    readFromMemory(state, song);
}
BENCHMARK(BM_ReadKar_Typical50KB)->Unit(benchmark::kMicrosecond);

// The same typical song read from a file: one read of the whole file, then the walk.
void BM_ReadKar_Typical50KBFromFile(benchmark::State& state) {
    const std::string song = typicalSong();
    const auto path = std::filesystem::temp_directory_path() /
                      ("vt-bench-" + std::to_string(::getpid()) + ".kar");
    std::ofstream(path, std::ios::binary) << song;
    DropMessages messages;
    for (auto _ : state) {
        song::SongModel model;
        benchmark::DoNotOptimize(
            song::ReadKar(path.string(), model.Lyrics, model.Division, model.Tempos, messages));
    }
    std::filesystem::remove(path);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(song.size()));
}
BENCHMARK(BM_ReadKar_Typical50KBFromFile)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
