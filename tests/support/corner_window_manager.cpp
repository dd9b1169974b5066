// A small X11 window manager that frames a window late and in its own way: it maps a new window
// where the window asked to be, waits until the window has painted, and only then puts a frame
// around it with the frame's top-left corner where the window asked to go (the window itself
// moves by the frame's left and top edges), telling the frame through _NET_FRAME_EXTENTS at that
// moment. It offers no _NET_REQUEST_FRAME_EXTENTS. Every later move of a framed window is
// honoured exactly: the window, not its frame, goes where it asked. The work area leaves 100
// pixels on the left and 40 at the top for panels.
// Usage: corner_window_manager. Prints "ready" once it manages the screen; runs until killed.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <sys/select.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <optional>

namespace {

constexpr int kLeft = 6;
constexpr int kRight = 4;
constexpr int kTop = 24;
constexpr int kBottom = 3;
constexpr auto kAfterPainting = std::chrono::milliseconds(300);

bool otherManager = false;

int IgnoreErrors(Display* /*display*/, XErrorEvent* /*error*/) {
    return 0;  // a window may go away at any time
}

int NoteOtherManager(Display* /*display*/, XErrorEvent* /*error*/) {
    otherManager = true;
    return 0;
}

struct Manager {
    Display* display;
    Window root;
    Atom frameExtents;
    std::map<Window, Window> frames;  // client -> frame
    std::optional<Window> waiting;    // mapped, not framed yet; one window is framed
    std::optional<std::chrono::steady_clock::time_point> frameAt;

    // Tells a framed client where it now stands on the screen, as ICCCM asks.
    void TellPlace(Window client) {
        Window frame = frames.at(client);
        XWindowAttributes place;
        XGetWindowAttributes(display, client, &place);
        XWindowAttributes framed;
        XGetWindowAttributes(display, frame, &framed);
        XEvent notify{};
        notify.xconfigure.type = ConfigureNotify;
        notify.xconfigure.event = client;
        notify.xconfigure.window = client;
        notify.xconfigure.x = framed.x + kLeft;
        notify.xconfigure.y = framed.y + kTop;
        notify.xconfigure.width = place.width;
        notify.xconfigure.height = place.height;
        XSendEvent(display, client, False, StructureNotifyMask, &notify);
    }

    void Frame(Window client) {
        XWindowAttributes place;
        if (XGetWindowAttributes(display, client, &place) == 0) {
            return;
        }
        const int x = place.x;
        const int y = place.y;
        const auto width = static_cast<unsigned>(place.width);
        const auto height = static_cast<unsigned>(place.height);
        // The frame's corner where the client stands, that is where it asked to go.
        const Window frame = XCreateSimpleWindow(display, root, x, y, width + kLeft + kRight,
                                                 height + kTop + kBottom, 0, 0, 0x808080);
        frames[client] = frame;
        const long extents[4] = {kLeft, kRight, kTop, kBottom};
        XChangeProperty(display, client, frameExtents, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(extents), 4);
        XAddToSaveSet(display, client);
        XReparentWindow(display, client, frame, kLeft, kTop);
        XSelectInput(display, frame, SubstructureRedirectMask | SubstructureNotifyMask);
        XMapWindow(display, frame);
        TellPlace(client);
        XSync(display, False);
    }

    void Configure(const XConfigureRequestEvent& request) {
        const auto framed = frames.find(request.window);
        if (framed == frames.end()) {
            XWindowChanges changes{
                request.x,     request.y,     request.width, request.height, request.border_width,
                request.above, request.detail};
            XConfigureWindow(display, request.window, static_cast<unsigned>(request.value_mask),
                             &changes);
            return;
        }
        XWindowAttributes client;
        XGetWindowAttributes(display, request.window, &client);
        XWindowAttributes frame;
        XGetWindowAttributes(display, framed->second, &frame);
        const int x = (request.value_mask & CWX) != 0 ? request.x : frame.x + kLeft;
        const int y = (request.value_mask & CWY) != 0 ? request.y : frame.y + kTop;
        const int width = (request.value_mask & CWWidth) != 0 ? request.width : client.width;
        const int height = (request.value_mask & CWHeight) != 0 ? request.height : client.height;
        XResizeWindow(display, request.window, static_cast<unsigned>(width),
                      static_cast<unsigned>(height));
        XMoveResizeWindow(display, framed->second, x - kLeft, y - kTop,
                          static_cast<unsigned>(width + kLeft + kRight),
                          static_cast<unsigned>(height + kTop + kBottom));
        TellPlace(request.window);
    }

    void Handle(const XEvent& event) {
        switch (event.type) {
            case ConfigureRequest:
                Configure(event.xconfigurerequest);
                break;
            case MapRequest: {
                const Window client = event.xmaprequest.window;
                if (frames.empty() && !waiting) {
                    XSelectInput(display, client, ExposureMask);
                    waiting = client;
                }
                XMapWindow(display, client);
                break;
            }
            case Expose:
                if (waiting && event.xexpose.window == *waiting && !frameAt) {
                    frameAt = std::chrono::steady_clock::now() + kAfterPainting;
                }
                break;
            case DestroyNotify:
                if (const auto framed = frames.find(event.xdestroywindow.window);
                    framed != frames.end()) {
                    XDestroyWindow(display, framed->second);
                    frames.erase(framed);
                }
                break;
            default:
                break;
        }
    }
};

}  // namespace

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fputs("corner_window_manager: no X display\n", stderr);
        return 1;
    }
    const Window root = DefaultRootWindow(display);
    XSetErrorHandler(NoteOtherManager);
    XSelectInput(display, root, SubstructureRedirectMask | SubstructureNotifyMask);
    XSync(display, False);
    if (otherManager) {
        std::fputs("corner_window_manager: another window manager runs\n", stderr);
        return 1;
    }
    XSetErrorHandler(IgnoreErrors);

    Manager manager{display, root, XInternAtom(display, "_NET_FRAME_EXTENTS", False), {}, {}, {}};
    const Atom supported[] = {manager.frameExtents, XInternAtom(display, "_NET_WORKAREA", False)};
    XChangeProperty(display, root, XInternAtom(display, "_NET_SUPPORTED", False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(supported), 2);
    const int screenWidth = DisplayWidth(display, DefaultScreen(display));
    const int screenHeight = DisplayHeight(display, DefaultScreen(display));
    const long workArea[4] = {100, 40, screenWidth - 100, screenHeight - 40};
    XChangeProperty(display, root, XInternAtom(display, "_NET_WORKAREA", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(workArea), 4);
    XSync(display, False);
    std::puts("ready");
    std::fflush(stdout);

    const int connection = ConnectionNumber(display);
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            manager.Handle(event);
        }
        if (manager.frameAt && std::chrono::steady_clock::now() >= *manager.frameAt) {
            manager.Frame(*manager.waiting);
            manager.frameAt.reset();
            manager.waiting.reset();
            continue;
        }
        timeval wait{0, 20'000};
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(connection, &readable);
        select(connection + 1, &readable, nullptr, nullptr, &wait);
    }
}
