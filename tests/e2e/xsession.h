#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <cstdint>
#include <vector>

struct xcb_connection_t;

namespace e2e {

// A top-level window as the X server knows it: its caption and where it lies on the screen.
struct ShownWindow {
    std::uint32_t id = 0;
    QString caption;
    QRect geometry;
};

// A second client of the program's X display, which looks at the screen the way a window manager
// and a user would: which windows are mapped and what they are called, the pixels the server
// holds, clicks, and the close request a window manager sends for a title bar's close button.
class XSession {
public:
    // Connects to $DISPLAY; throws std::runtime_error when there is no display.
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    std::vector<ShownWindow> shownWindows() const;
    // The pixels of a part of the screen.
    QImage grab(const QRect& area) const;
    // Asks the window to close, as a window manager does: its owner runs its close handling.
    void requestClose(std::uint32_t window) const;
    // A left click at a point of the window (window coordinates), delivered to its owner.
    void click(std::uint32_t window, QPoint at) const;

private:
    std::uint32_t atom(const char* name) const;
    QString caption(std::uint32_t window) const;

    xcb_connection_t* m_connection = nullptr;
    std::uint32_t m_root = 0;
    std::uint32_t m_utf8String = 0;
    std::uint32_t m_netWmName = 0;
    std::uint32_t m_wmProtocols = 0;
    std::uint32_t m_wmDeleteWindow = 0;
};

} // namespace e2e
