#include "player/ui/playertrace.h"

#include "platform/errors.h"
#include "player/ui/form3.h"
#include "player/ui/lyricpane.h"
#include "player/ui/mmcontrol.h"

#include <QEvent>
#include <QMetaObject>
#include <QWidget>

#include <chrono>
#include <utility>

namespace player::ui {

namespace {

// Runs `step` when the event loop is back: after a paint, the window's picture has then been
// handed to the window system. A probe that goes first takes the call with it.
template <typename Step> void afterThePaint(QObject* owner, Step step) {
    QMetaObject::invokeMethod(owner, std::move(step), Qt::QueuedConnection);
}

} // namespace

std::int64_t traceMicros() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

FirstPaintWatch::FirstPaintWatch(QWidget& widget, std::string what, TraceSink sink)
    : QObject(&widget), m_what(std::move(what)), m_sink(std::move(sink)) {
    widget.installEventFilter(this);
}

bool FirstPaintWatch::eventFilter(QObject* /*watched*/, QEvent* event) {
    if (event->type() == QEvent::Paint && !m_seen) {
        m_seen = true;
        afterThePaint(this, [this] { m_sink({.what = m_what, .micros = traceMicros()}); });
    }
    return false;
}

PlayerProbe::PlayerProbe(Form3& window, TraceSink sink)
    : m_control(window.findChild<MMControl*>(QStringLiteral("MMControl1"))),
      m_pane(window.findChild<LyricPane*>(QStringLiteral("Picture1"))), m_sink(std::move(sink)) {
    if (!m_control || !m_pane)
        platform::raiseError(platform::err::InvalidCall);
    // Connected after the window's own handlers, so these run once they are done.
    connect(m_control, &MMControl::PlayClick, this, [this](bool&) {
        tell({.what = "play", .micros = traceMicros(), .position = m_control->position()});
    });
    connect(m_control, &MMControl::StatusUpdate, this, [this] { ++m_reports; });
    connect(&window, &Form3::syllableShown, this, [this](int index) {
        const std::int64_t now = traceMicros();
        tell({.what = "syllable",
              .micros = now,
              .syllable = index,
              .position = m_control->position()});
        m_unpainted.push_back(index);
    });
    m_pane->installEventFilter(this);
}

PlayerProbe::~PlayerProbe() {
    if (m_pane)
        m_pane->removeEventFilter(this);
    tell({.what = "player-closed", .micros = traceMicros(), .reports = m_reports});
}

bool PlayerProbe::eventFilter(QObject* /*watched*/, QEvent* event) {
    if (event->type() != QEvent::Paint)
        return false;
    const bool first = !std::exchange(m_painted, true);
    std::vector<int> drawn = std::exchange(m_unpainted, {});
    if (first || !drawn.empty()) {
        afterThePaint(this, [this, first, drawn = std::move(drawn)] {
            const std::int64_t now = traceMicros();
            if (first)
                tell({.what = "player-painted", .micros = now});
            for (const int index : drawn)
                tell({.what = "syllable-painted", .micros = now, .syllable = index});
        });
    }
    return false;
}

void PlayerProbe::tell(TraceEvent event) const {
    if (m_sink)
        m_sink(event);
}

TraceFile::TraceFile(const std::string& path) : m_out(path, std::ios::trunc) {
    if (!m_out)
        throw platform::RuntimeError(platform::err::PathFileAccess,
                                     "the trace file " + path + " cannot be created");
}

void TraceFile::write(const TraceEvent& event) {
    // The names are our own words: nothing to escape.
    m_out << R"({"event":")" << event.what << R"(","us":)" << event.micros;
    if (event.syllable >= 0)
        m_out << R"(,"syllable":)" << event.syllable;
    if (event.position >= 0)
        m_out << R"(,"position":)" << event.position;
    if (event.reports >= 0)
        m_out << R"(,"reports":)" << event.reports;
    m_out << "}\n" << std::flush;
}

} // namespace player::ui
