#include "platform/x11_window.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace torvane {

namespace {

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  const xcb_atom_t value = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  free(reply);
  return value;
}

constexpr auto kFrameAnswerTimeout = std::chrono::seconds(2);
constexpr auto kFramePollInterval = std::chrono::milliseconds(2);

bool rootSupports(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t wanted) {
  const xcb_get_property_cookie_t cookie = xcb_get_property(
      connection, 0, root, atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 0, 4096);
  xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
  bool found = false;
  if (reply && reply->format == 32) {
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
    const int count = xcb_get_property_value_length(reply) / 4;
    for (int i = 0; i < count && !found; ++i) found = atoms[i] == wanted;
  }
  free(reply);
  return found;
}

bool readFrameExtents(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                      FrameExtents& extents) {
  const xcb_get_property_cookie_t cookie =
      xcb_get_property(connection, 0, window, property, XCB_ATOM_CARDINAL, 0, 4);
  xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
  const bool found = reply && reply->format == 32 && xcb_get_property_value_length(reply) == 4 * 4;
  if (found) {
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
    extents = {static_cast<int>(values[0]), static_cast<int>(values[1]),
               static_cast<int>(values[2]), static_cast<int>(values[3])};
  }
  free(reply);
  return found;
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

FrameExtents requestFrameExtents(QWidget* window) {
  FrameExtents extents;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11) return extents;
  xcb_connection_t* connection = x11->connection();
  const xcb_window_t id = static_cast<xcb_window_t>(window->winId());
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  const xcb_atom_t request = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
  if (!rootSupports(connection, root, request)) return extents;

  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = id;
  message.type = request;
  xcb_send_event(connection, 0, root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(connection);

  // The manager answers by setting _NET_FRAME_EXTENTS on the still unmapped window.
  const xcb_atom_t property = atom(connection, "_NET_FRAME_EXTENTS");
  const auto deadline = std::chrono::steady_clock::now() + kFrameAnswerTimeout;
  while (!readFrameExtents(connection, id, property, extents) &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(kFramePollInterval);
  }
  return extents;
}

}  // namespace torvane
