// Watches an X display for another program's windows, for the start-up benchmark: prints
// "ready", then "mapped EPOCH_MS" when the first window of the given class is mapped and
// "titled EPOCH_MS" when one of them takes the given title, then ends. Waiting on the X server's
// events costs the watched program no processor time, where polling would.
//   bench_window_watch CLASS TITLE
#include <xcb/xcb.h>

#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

long long NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

template <class Reply> using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* x, const char* name)
{
    Owned<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, std::uint16_t(std::strlen(name)), name), nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::string Property(xcb_connection_t* x, xcb_window_t window, xcb_atom_t property)
{
    Owned<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(x, xcb_get_property(x, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024),
                               nullptr),
        &std::free);
    if (!reply)
        return {};
    const auto* bytes = static_cast<const char*>(xcb_get_property_value(reply.get()));
    // WM_CLASS holds two strings, each ended by a zero byte: keep both.
    std::string value(bytes, std::size_t(xcb_get_property_value_length(reply.get())));
    for (char& c : value)
        if (c == '\0')
            c = ' ';
    return value;
}

bool ContainsIgnoringCase(std::string text, std::string part)
{
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    for (char& c : part)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text.find(part) != std::string::npos;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_window_watch CLASS TITLE\n");
        return 2;
    }
    const std::string wantedClass = argv[1], wantedTitle = argv[2];
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "bench_window_watch: no X display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const xcb_atom_t wmName = XCB_ATOM_WM_NAME, netWmName = Atom(x, "_NET_WM_NAME");
    const std::uint32_t rootMask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &rootMask);
    // A round trip: the server has taken the mask before the program is started.
    Owned<xcb_get_input_focus_reply_t> sync(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr), &std::free);
    std::printf("ready\n");
    std::fflush(stdout);

    bool mapped = false;
    const auto titled = [&](xcb_window_t window) {
        return Property(x, window, netWmName) == wantedTitle || Property(x, window, wmName) == wantedTitle;
    };
    while (xcb_generic_event_t* event = xcb_wait_for_event(x)) {
        Owned<xcb_generic_event_t> owned(event, &std::free);
        switch (event->response_type & 0x7F) {
        case XCB_CREATE_NOTIFY: {
            // Followed wherever a window manager puts it.
            const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE;
            xcb_change_window_attributes(x, reinterpret_cast<xcb_create_notify_event_t*>(event)->window,
                                         XCB_CW_EVENT_MASK, &mask);
            xcb_flush(x);
            break;
        }
        case XCB_MAP_NOTIFY: {
            const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
            if (mapped || !ContainsIgnoringCase(Property(x, window, XCB_ATOM_WM_CLASS), wantedClass))
                break;
            mapped = true;
            std::printf("mapped %lld\n", NowMs());
            std::fflush(stdout);
            if (titled(window)) {
                std::printf("titled %lld\n", NowMs());
                return 0;
            }
            break;
        }
        case XCB_PROPERTY_NOTIFY: {
            const auto* change = reinterpret_cast<xcb_property_notify_event_t*>(event);
            if (mapped && (change->atom == wmName || change->atom == netWmName) && titled(change->window)
                && ContainsIgnoringCase(Property(x, change->window, XCB_ATOM_WM_CLASS), wantedClass)) {
                std::printf("titled %lld\n", NowMs());
                return 0;
            }
            break;
        }
        default:
            break;
        }
    }
    return 1;
}
