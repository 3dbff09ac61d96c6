#include "App/X11Desktop.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace X11Desktop {

namespace {

constexpr std::size_t pieceSize = 20;

xcb_connection_t *connection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(c, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The display's default screen: the number after the dot of DISPLAY (":0.1"), else the first.
int screenNumber()
{
    const QByteArray display = qgetenv("DISPLAY");
    const qsizetype dot = display.lastIndexOf('.');
    return dot > display.lastIndexOf(':') ? display.mid(dot + 1).toInt() : 0;
}

xcb_screen_t *defaultScreen(xcb_connection_t *c)
{
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int n = screenNumber(); n > 0 && it.rem > 0; --n)
        xcb_screen_next(&it);
    return it.rem > 0 ? it.data : nullptr;
}

void sendToRoot(xcb_connection_t *c, xcb_window_t root, const xcb_client_message_event_t &event,
                std::uint32_t mask)
{
    xcb_send_event(c, 0, root, mask, reinterpret_cast<const char *>(&event));
}

} // namespace

bool hasSystemTray()
{
    xcb_connection_t *c = connection();
    if (!c)
        return false;
    const QByteArray name = "_NET_SYSTEM_TRAY_S" + QByteArray::number(screenNumber());
    const xcb_atom_t selection = atom(c, name.constData());
    if (selection == XCB_ATOM_NONE)
        return false;
    const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr), &std::free);
    return owner && owner->owner != XCB_WINDOW_NONE;
}

std::optional<std::uint32_t> timestampOf(const QByteArray &startupId)
{
    const qsizetype at = startupId.lastIndexOf("_TIME");
    if (at < 0)
        return std::nullopt;
    bool ok = false;
    const qulonglong time = startupId.mid(at + 5).toULongLong(&ok);
    if (!ok || time > 0xFFFFFFFFull)
        return std::nullopt;
    return std::uint32_t(time);
}

std::vector<QByteArray> messagePieces(const QByteArray &message)
{
    QByteArray text = message + '\0';
    text.append(QByteArray(qsizetype((pieceSize - std::size_t(text.size()) % pieceSize) % pieceSize), '\0'));
    std::vector<QByteArray> pieces;
    for (qsizetype at = 0; at < text.size(); at += qsizetype(pieceSize))
        pieces.push_back(text.mid(at, qsizetype(pieceSize)));
    return pieces;
}

void activate(QWidget &window, const QByteArray &startupId)
{
    xcb_connection_t *c = connection();
    if (!c || startupId.isEmpty())
        return;
    const auto id = xcb_window_t(window.winId());
    xcb_screen_t *screen = defaultScreen(c);
    if (!screen)
        return;
    const xcb_window_t root = screen->root;

    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, atom(c, "_NET_STARTUP_ID"), atom(c, "UTF8_STRING"), 8,
                        std::uint32_t(startupId.size()), startupId.constData());

    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = id;
    event.type = atom(c, "_NET_ACTIVE_WINDOW");
    event.data.data32[0] = 1; // asked by an application
    event.data.data32[1] = timestampOf(startupId).value_or(XCB_CURRENT_TIME);
    sendToRoot(c, root, event, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT);

    // The launch's feedback (a busy pointer, a task-bar entry) ends with its "remove" message.
    const xcb_atom_t begin = atom(c, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = atom(c, "_NET_STARTUP_INFO");
    bool first = true;
    for (const QByteArray &piece : messagePieces("remove: ID=" + startupId)) {
        xcb_client_message_event_t part{};
        part.response_type = XCB_CLIENT_MESSAGE;
        part.format = 8;
        part.window = id;
        part.type = first ? begin : more;
        std::memcpy(part.data.data8, piece.constData(), pieceSize);
        sendToRoot(c, root, part, XCB_EVENT_MASK_PROPERTY_CHANGE);
        first = false;
    }
    xcb_flush(c);
}

} // namespace X11Desktop
