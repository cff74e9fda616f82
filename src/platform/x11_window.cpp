#include "platform/x11_window.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>
#include <cstdlib>
#include <cstring>

namespace torvane {

namespace {

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  const xcb_atom_t value = reply ? reply->atom : XCB_ATOM_NONE;
  free(reply);
  return value;
}

}  // namespace

void showEmptyTitle(QWidget* window) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11) return;
  xcb_connection_t* connection = x11->connection();
  const xcb_window_t id = static_cast<xcb_window_t>(window->winId());
  const xcb_atom_t utf8 = atom(connection, "UTF8_STRING");
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, atom(connection, "_NET_WM_NAME"), utf8,
                      8, 0, "");
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                      0, "");
  xcb_flush(connection);
}

}  // namespace torvane
