#include "PriorInstance.h"

#include <QGuiApplication>
#include <QList>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

class X11 {
public:
    explicit X11(xcb_connection_t* connection) : c_(connection)
    {
        root_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
    }

    xcb_window_t Root() const { return root_; }

    xcb_atom_t Atom(const char* name) const
    {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, uint16_t(strlen(name)), name), nullptr);
        const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return atom;
    }

    QByteArray Property(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) const
    {
        xcb_get_property_reply_t* reply =
            xcb_get_property_reply(c_, xcb_get_property(c_, 0, window, property, type, 0, 1 << 16), nullptr);
        QByteArray bytes;
        if (reply && reply->type != XCB_ATOM_NONE)
            bytes = QByteArray(static_cast<const char*>(xcb_get_property_value(reply)), xcb_get_property_value_length(reply));
        std::free(reply);
        return bytes;
    }

    QList<xcb_window_t> Windows(const QByteArray& bytes) const
    {
        QList<xcb_window_t> windows;
        const auto* ids = reinterpret_cast<const xcb_window_t*>(bytes.constData());
        for (qsizetype i = 0; i < bytes.size() / qsizetype(sizeof(xcb_window_t)); ++i)
            windows.append(ids[i]);
        return windows;
    }

    // The managed top-level windows, or the root's children when no window manager lists them.
    QList<xcb_window_t> TopLevels() const
    {
        const QList<xcb_window_t> managed = Windows(Property(root_, Atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW));
        if (!managed.isEmpty())
            return managed;
        QList<xcb_window_t> children;
        if (xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c_, xcb_query_tree(c_, root_), nullptr)) {
            const xcb_window_t* ids = xcb_query_tree_children(tree);
            for (int i = 0; i < xcb_query_tree_children_length(tree); ++i)
                children.append(ids[i]);
            std::free(tree);
        }
        return children;
    }

    QString Title(xcb_window_t window) const
    {
        const QByteArray utf8 = Property(window, Atom("_NET_WM_NAME"), Atom("UTF8_STRING"));
        if (!utf8.isEmpty())
            return QString::fromUtf8(utf8);
        return QString::fromLatin1(Property(window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING));
    }

    bool OfThisProcess(xcb_window_t window) const
    {
        const QByteArray pid = Property(window, Atom("_NET_WM_PID"), XCB_ATOM_CARDINAL);
        return pid.size() == 4 && *reinterpret_cast<const quint32*>(pid.constData()) == quint32(::getpid());
    }

    void Activate(xcb_window_t window) const
    {
        xcb_map_window(c_, window);
        const uint32_t above = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(c_, window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = Atom("_NET_ACTIVE_WINDOW");
        message.data.data32[0] = 1; // asked by an application
        message.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(c_, 0, root_, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&message));
        // Refused while the window is not yet viewable; the window manager then gives the focus.
        std::free(xcb_request_check(c_, xcb_set_input_focus_checked(c_, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME)));
        xcb_flush(c_);
    }

private:
    xcb_connection_t* c_;
    xcb_window_t root_;
};

} // namespace

bool RaisePriorWindow(const QString& title)
{
    auto* native = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!native || !native->connection())
        return false;
    const X11 x11(native->connection());
    for (const xcb_window_t window : x11.TopLevels()) {
        if (x11.OfThisProcess(window) || x11.Title(window) != title)
            continue;
        x11.Activate(window);
        return true;
    }
    return false;
}
