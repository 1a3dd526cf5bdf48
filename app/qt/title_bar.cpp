#include "app/qt/title_bar.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace quorvel::qt {
namespace {

// The Motif window manager hints, the one property every X11 window manager reads for the
// functions and decorations of a window.
constexpr std::uint32_t hints_functions = 1U << 0U;
constexpr std::uint32_t hints_decorations = 1U << 1U;
constexpr std::uint32_t function_move = 1U << 2U;
constexpr std::uint32_t function_minimize = 1U << 3U;
constexpr std::uint32_t function_close = 1U << 5U;
constexpr std::uint32_t decoration_border = 1U << 1U;
constexpr std::uint32_t decoration_title = 1U << 3U;
constexpr std::uint32_t decoration_menu = 1U << 4U;
constexpr std::uint32_t decoration_minimize = 1U << 5U;

xcb_atom_t atom(xcb_connection_t* connection, std::string_view name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data());
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    if (reply == nullptr) {
        return XCB_ATOM_NONE;
    }
    const xcb_atom_t found = reply->atom;
    std::free(reply);  // NOLINT(cppcoreguidelines-no-malloc): xcb allocates its replies so
    return found;
}

}  // namespace

void set_title_bar(QWidget& window, title_bar buttons) {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || x11 == nullptr ||
        x11->connection() == nullptr) {
        return;
    }
    xcb_connection_t* connection = x11->connection();
    const xcb_atom_t motif_hints = atom(connection, "_MOTIF_WM_HINTS");
    if (motif_hints == XCB_ATOM_NONE) {
        return;
    }
    const bool minimize = buttons == title_bar::minimize_button;
    const std::array<std::uint32_t, 5> hints = {
        hints_functions | hints_decorations,
        function_move | function_close | (minimize ? function_minimize : 0U),
        decoration_border | decoration_title | decoration_menu |
            (minimize ? decoration_minimize : 0U),
        0,  // input mode: not used
        0,  // status: not used
    };
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE,
                        static_cast<xcb_window_t>(window.winId()), motif_hints, motif_hints, 32,
                        hints.size(), hints.data());
    xcb_flush(connection);
}

}  // namespace quorvel::qt
