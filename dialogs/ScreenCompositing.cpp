#include "ScreenCompositing.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply>
using ReplyPointer = std::unique_ptr<Reply, FreeReply>;

bool SelectionOwned(xcb_connection_t* connection, const std::string& selection) {
    // Only an existing name: a selection nobody ever named has never been owned.
    const ReplyPointer<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 1, static_cast<uint16_t>(selection.size()), selection.c_str()),
        nullptr));
    if (atom == nullptr || atom->atom == XCB_ATOM_NONE) {
        return false;
    }
    const ReplyPointer<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, atom->atom), nullptr));
    return owner != nullptr && owner->owner != XCB_WINDOW_NONE;
}

bool CompositingManagerRuns(xcb_connection_t* connection) {
    const int screens = xcb_setup_roots_length(xcb_get_setup(connection));
    for (int screen = 0; screen < screens; ++screen) {
        if (SelectionOwned(connection, "_NET_WM_CM_S" + std::to_string(screen))) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool WindowSystemComposites() {
    const QString platform = QGuiApplication::platformName();
    if (platform.startsWith(QLatin1String("wayland"))) {
        return true;
    }
    if (platform != QLatin1String("xcb")) {
        return false;
    }
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr && CompositingManagerRuns(x11->connection());
}

bool WaylandSession() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland")) ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
}
