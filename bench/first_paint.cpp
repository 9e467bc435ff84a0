// first_paint [--timeout SECONDS] [--settle MS] -- PROGRAM [ARG ...]
//
// Starts PROGRAM and times, from outside, what the X server sees of it: the first drawing into its
// splash window and into its main window (a top-level window of that process which is not a
// splash), and the first expose of the main window. The clock starts just before the fork. Once
// the main window has drawn, the program runs for --settle milliseconds more (default 0), its
// resident memory is read, and it is ended. One line on the standard output:
//
//   first-paint 182.4 ms, expose 170.2 ms, splash-paint 95.1 ms, rss 81234 kB
//
// Exit status 0, or 1 when the program ended, or the time ran out, before its main window drew.
// The drawing is seen through the DAMAGE extension; windows are told apart by _NET_WM_PID and
// _NET_WM_WINDOW_TYPE, which the program sets before it maps them.

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <map>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

int usage() {
    std::fprintf(stderr, "usage: first_paint [--timeout SECONDS] [--settle MS] -- PROGRAM [ARG ...]\n");
    return 2;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return a;
}

// The first 32-bit value of a window property, if it has one.
std::optional<std::uint32_t> property(xcb_connection_t* c, xcb_window_t window, xcb_atom_t name) {
    xcb_get_property_reply_t* reply =
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, name, XCB_GET_PROPERTY_TYPE_ANY, 0, 1), nullptr);
    std::optional<std::uint32_t> value;
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) >= 4)
        value = *static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
    std::free(reply);
    return value;
}

long residentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

enum class Kind { Unknown, Other, Splash, Main };

} // namespace

int main(int argc, char** argv) {
    double timeoutS = 60;
    double settleMs = 0;
    int first = 1;
    for (; first < argc; ++first) {
        const std::string arg = argv[first];
        if (arg == "--") {
            ++first;
            break;
        }
        if (first + 1 >= argc)
            return usage();
        if (arg == "--timeout")
            timeoutS = std::atof(argv[++first]);
        else if (arg == "--settle")
            settleMs = std::atof(argv[++first]);
        else
            return usage();
    }
    if (first >= argc)
        return usage();

    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "first_paint: no X display\n");
        return 1;
    }
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(c, &xcb_damage_id);
    if (!damage || !damage->present) {
        std::fprintf(stderr, "first_paint: the X server has no DAMAGE extension\n");
        return 1;
    }
    std::free(xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), nullptr));
    const xcb_atom_t pidAtom = atom(c, "_NET_WM_PID");
    const xcb_atom_t typeAtom = atom(c, "_NET_WM_WINDOW_TYPE");
    const xcb_atom_t splashAtom = atom(c, "_NET_WM_WINDOW_TYPE_SPLASH");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const std::uint32_t rootMask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &rootMask);
    // A round trip: the selection is in force before the program can make a window.
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));

    const double start = nowMs();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("first_paint: fork");
        return 1;
    }
    if (child == 0) {
        execvp(argv[first], argv + first);
        std::perror("first_paint: exec");
        _exit(127);
    }

    struct Watched {
        Kind kind = Kind::Unknown;
        xcb_damage_damage_t damage = 0;
    };
    std::map<xcb_window_t, Watched> windows;
    std::optional<double> splashPaint, mainExpose, mainPaint;
    const auto kindOf = [&](xcb_window_t window, Watched& w) {
        if (w.kind != Kind::Unknown)
            return w.kind;
        const auto pid = property(c, window, pidAtom);
        if (!pid)
            return Kind::Unknown; // not ready yet: asked again at its next event
        if (pid_t(*pid) != child)
            w.kind = Kind::Other;
        else
            w.kind = property(c, window, typeAtom) == splashAtom ? Kind::Splash : Kind::Main;
        return w.kind;
    };

    const int fd = xcb_get_file_descriptor(c);
    bool ended = false;
    while (!mainPaint && !ended) {
        const double left = start + timeoutS * 1e3 - nowMs();
        if (left <= 0)
            break;
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            ended = true;
            break;
        }
        xcb_generic_event_t* event = xcb_poll_for_event(c);
        if (!event) {
            if (xcb_connection_has_error(c))
                break;
            pollfd p{fd, POLLIN, 0};
            poll(&p, 1, int(left < 50 ? left : 50) + 1);
            continue;
        }
        const double at = nowMs() - start;
        const std::uint8_t type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
            Watched& w = windows[created->window];
            w.damage = xcb_generate_id(c);
            xcb_damage_create(c, w.damage, created->window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
            const std::uint32_t mask = XCB_EVENT_MASK_EXPOSURE;
            xcb_change_window_attributes(c, created->window, XCB_CW_EVENT_MASK, &mask);
            xcb_flush(c);
        } else if (type == XCB_EXPOSE) {
            const auto* exposed = reinterpret_cast<xcb_expose_event_t*>(event);
            auto found = windows.find(exposed->window);
            if (found != windows.end() && !mainExpose && kindOf(exposed->window, found->second) == Kind::Main)
                mainExpose = at;
        } else if (type == damage->first_event + XCB_DAMAGE_NOTIFY) {
            const auto* drawn = reinterpret_cast<xcb_damage_notify_event_t*>(event);
            auto found = windows.find(drawn->drawable);
            if (found != windows.end()) {
                const Kind kind = kindOf(drawn->drawable, found->second);
                if (kind == Kind::Splash && !splashPaint)
                    splashPaint = at;
                else if (kind == Kind::Main)
                    mainPaint = at;
                // Seen once is enough; a window not yet known is asked again at its next drawing.
                xcb_damage_subtract(c, found->second.damage, XCB_NONE, XCB_NONE);
                xcb_flush(c);
            }
        }
        std::free(event);
    }

    long rss = -1;
    if (mainPaint) {
        const double settleUntil = nowMs() + settleMs;
        while (nowMs() < settleUntil && waitpid(child, nullptr, WNOHANG) == 0)
            usleep(1000);
        rss = residentKb(child);
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    xcb_disconnect(c);

    if (!mainPaint) {
        std::fprintf(stderr, "first_paint: %s before the main window drew\n",
                     ended ? "the program ended" : "the time ran out");
        return 1;
    }
    const auto ms = [](const std::optional<double>& v) {
        char text[32] = "-";
        if (v)
            std::snprintf(text, sizeof text, "%.1f", *v);
        return std::string(text);
    };
    std::printf("first-paint %.1f ms, expose %s ms, splash-paint %s ms, rss %ld kB\n", *mainPaint,
                ms(mainExpose).c_str(), ms(splashPaint).c_str(), rss);
    return 0;
}
