#include "e2e/xsession.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

namespace e2e {

namespace {

// Replies are malloc'ed by the library.
template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPtr<Reply> owned(Reply* reply) {
    return ReplyPtr<Reply>(reply, &std::free);
}

} // namespace

XSession::XSession() {
    int screen = 0;
    m_connection = xcb_connect(nullptr, &screen);
    if (xcb_connection_has_error(m_connection)) {
        xcb_disconnect(m_connection);
        throw std::runtime_error("cannot connect to the X display $DISPLAY");
    }
    xcb_screen_iterator_t roots = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (; screen > 0 && roots.rem > 0; --screen)
        xcb_screen_next(&roots);
    m_root = roots.data->root;
    m_utf8String = atom("UTF8_STRING");
    m_netWmName = atom("_NET_WM_NAME");
    m_wmProtocols = atom("WM_PROTOCOLS");
    m_wmDeleteWindow = atom("WM_DELETE_WINDOW");
}

XSession::~XSession() {
    xcb_disconnect(m_connection);
}

std::uint32_t XSession::atom(const char* name) const {
    const auto reply = owned(xcb_intern_atom_reply(
        m_connection,
        xcb_intern_atom(m_connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr));
    if (!reply)
        throw std::runtime_error(std::string("the X server has no atom ") + name);
    return reply->atom;
}

QString XSession::caption(std::uint32_t window) const {
    const auto read = [&](std::uint32_t property, std::uint32_t type) {
        return owned(xcb_get_property_reply(
            m_connection, xcb_get_property(m_connection, 0, window, property, type, 0, 1024),
            nullptr));
    };
    if (const auto utf8 = read(m_netWmName, m_utf8String); utf8 && utf8->format == 8) {
        return QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(utf8.get())),
                                 xcb_get_property_value_length(utf8.get()));
    }
    if (const auto latin1 = read(XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
        latin1 && latin1->format == 8) {
        return QString::fromLatin1(static_cast<const char*>(xcb_get_property_value(latin1.get())),
                                   xcb_get_property_value_length(latin1.get()));
    }
    return {};
}

std::vector<ShownWindow> XSession::shownWindows() const {
    std::vector<ShownWindow> result;
    const auto tree =
        owned(xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, m_root), nullptr));
    if (!tree)
        return result;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        const xcb_window_t window = children[i];
        const auto attributes = owned(xcb_get_window_attributes_reply(
            m_connection, xcb_get_window_attributes(m_connection, window), nullptr));
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
            continue;
        const auto geometry = owned(
            xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr));
        const auto origin = owned(xcb_translate_coordinates_reply(
            m_connection, xcb_translate_coordinates(m_connection, window, m_root, 0, 0), nullptr));
        if (!geometry || !origin)
            continue;
        result.push_back({window, caption(window),
                          QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height)});
    }
    return result;
}

QImage XSession::grab(const QRect& area) const {
    const auto reply = owned(xcb_get_image_reply(
        m_connection,
        xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, m_root,
                      static_cast<std::int16_t>(area.x()), static_cast<std::int16_t>(area.y()),
                      static_cast<std::uint16_t>(area.width()),
                      static_cast<std::uint16_t>(area.height()), ~0U),
        nullptr));
    const auto bytes = static_cast<qsizetype>(area.width()) * area.height() * 4;
    if (!reply || reply->depth != 24 || xcb_get_image_data_length(reply.get()) < bytes)
        throw std::runtime_error("the X server gave no 24-bit picture of the screen");
    // 24-bit pixels travel as 32-bit little-endian words: blue, green, red, pad.
    return QImage(xcb_get_image_data(reply.get()), area.width(), area.height(), area.width() * 4,
                  QImage::Format_RGB32)
        .copy();
}

void XSession::requestClose(std::uint32_t window) const {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = m_wmProtocols;
    message.data.data32[0] = m_wmDeleteWindow;
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(m_connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(m_connection);
}

void XSession::click(std::uint32_t window, QPoint at) const {
    const auto origin = owned(xcb_translate_coordinates_reply(
        m_connection, xcb_translate_coordinates(m_connection, window, m_root, 0, 0), nullptr));
    if (!origin)
        throw std::runtime_error("the window to click has gone");
    for (const bool press : {true, false}) {
        // Button events are 32 bytes on the wire, as send_event wants them.
        xcb_button_press_event_t event{};
        event.response_type = press ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE;
        event.detail = 1;
        event.time = XCB_CURRENT_TIME;
        event.root = m_root;
        event.event = window;
        event.root_x = static_cast<std::int16_t>(origin->dst_x + at.x());
        event.root_y = static_cast<std::int16_t>(origin->dst_y + at.y());
        event.event_x = static_cast<std::int16_t>(at.x());
        event.event_y = static_cast<std::int16_t>(at.y());
        event.state = press ? 0 : XCB_BUTTON_MASK_1;
        event.same_screen = 1;
        xcb_send_event(m_connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&event));
    }
    xcb_flush(m_connection);
}

} // namespace e2e
