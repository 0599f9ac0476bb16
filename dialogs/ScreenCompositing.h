// Whether the window system blends a translucent window with what lies behind it, so that the
// overlay can dim the live screen. Where it does not, a translucent window shows black, and
// the overlay paints a darkened picture of the screen instead.
//
// - X11: only while a compositing manager runs, that is while some client owns the selection
//   _NET_WM_CM_S<n> of an X screen (there is one X screen in practice; each is asked).
// - Wayland: always; the compositor is the display server.
// - Any other platform (offscreen, framebuffer, VNC): never.
//
// Asked on every covering: a compositing manager can be started or stopped at any time.
#pragma once

bool WindowSystemComposites();

// A Wayland session: Kalvio runs on a Wayland compositor, natively or through XWayland. Known
// from the session's environment (WAYLAND_DISPLAY, XDG_SESSION_TYPE=wayland) or the platform.
bool WaylandSession();
