// Starts a program on an X server and measures the time until its first top-level window is
// mapped and the processor time the program had used by then (all its threads; less swayed by
// other work on a busy machine), then its resident memory once it has settled. Prints
// "<milliseconds> <processor milliseconds> <kilobytes>".
//
//   map_timer [--settle-ms N] PROGRAM [ARGS...]
#include <X11/Xlib.h>
#include <dirent.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

extern char** environ;

namespace {

long ResidentKilobytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

// The processor time all threads of the process have run, from the scheduler's own count.
double ProcessorMilliseconds(pid_t pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (dir == nullptr) {
        return -1;
    }
    double nanoseconds = 0;
    while (const dirent* task = readdir(dir)) {
        if (task->d_name[0] != '.') {
            std::ifstream schedstat(tasks + "/" + task->d_name + "/schedstat");
            double onCpu = 0;
            schedstat >> onCpu;
            nanoseconds += onCpu;
        }
    }
    closedir(dir);
    return nanoseconds / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    int first = 1;
    int settleMs = 500;
    if (argc > 2 && std::strcmp(argv[1], "--settle-ms") == 0) {
        settleMs = std::atoi(argv[2]);
        first = 3;
    }
    if (first >= argc) {
        std::fputs("usage: map_timer [--settle-ms N] PROGRAM [ARGS...]\n", stderr);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fputs("map_timer: no X display\n", stderr);
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[first], nullptr, nullptr, argv + first, environ) != 0) {
        std::perror("map_timer: posix_spawn");
        return 2;
    }
    double elapsedMs = -1;
    double processorMs = -1;
    const auto deadline = start + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        if (XPending(display) == 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(100));
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && !event.xmap.override_redirect) {
            elapsedMs =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
            processorMs = ProcessorMilliseconds(pid);
            break;
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    const long rss = ResidentKilobytes(pid);
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    XCloseDisplay(display);
    if (elapsedMs < 0) {
        std::fputs("map_timer: no window was mapped\n", stderr);
        return 1;
    }
    std::printf("%.2f %.2f %ld\n", elapsedMs, processorMs, rss);
    return 0;
}
