// Start-up of the real program beside a minimal Qt window program built in the same tree, empty and
// with one line of text: the time from starting the process to its main window being mapped on the
// X display, and the process's peak memory once it has drawn it. The program maps its window only
// after the alphabet has loaded, so the time covers the whole start-up. Needs an X display;
// tools/bench.sh runs it under Xvfb, where no window manager delays the mapping.

#include <benchmark/benchmark.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Time to let the window draw itself before the peak memory is read.
constexpr auto settleTime = std::chrono::milliseconds(300);
constexpr auto mapTimeout = std::chrono::seconds(20);

// A display that has only just started may turn a connection away for a moment.
Display* openDisplay() {
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (Display* display = XOpenDisplay(nullptr))
            return display;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return nullptr;
}

// The X connection that watches top-level windows being mapped.
class MapWatch {
public:
    MapWatch()
        : m_display(openDisplay()) {
        if (m_display == nullptr)
            return;
        XSelectInput(m_display, XDefaultRootWindow(m_display), SubstructureNotifyMask);
        m_pidAtom = XInternAtom(m_display, "_NET_WM_PID", False);
        XSync(m_display, True);
    }
    ~MapWatch() {
        if (m_display != nullptr)
            XCloseDisplay(m_display);
    }
    MapWatch(const MapWatch&) = delete;
    MapWatch& operator=(const MapWatch&) = delete;

    bool connected() const { return m_display != nullptr; }

    // Waits until a window of process pid is mapped; false on timeout.
    bool waitForWindowOf(pid_t pid) {
        const auto deadline = Clock::now() + mapTimeout;
        while (Clock::now() < deadline) {
            if (XPending(m_display) == 0) {
                std::this_thread::sleep_for(std::chrono::microseconds(200));
                continue;
            }
            XEvent event;
            XNextEvent(m_display, &event);
            if (event.type == MapNotify && ownerOf(event.xmap.window) == pid)
                return true;
        }
        return false;
    }

private:
    std::optional<pid_t> ownerOf(Window window) const {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0;
        unsigned long remaining = 0;
        unsigned char* data = nullptr;
        const int status =
            XGetWindowProperty(m_display, window, m_pidAtom, 0, 1, False, XA_CARDINAL, &type,
                               &format, &count, &remaining, &data);
        std::optional<pid_t> pid;
        if (status == Success && data != nullptr && count == 1 && format == 32)
            pid = static_cast<pid_t>(*reinterpret_cast<const unsigned long*>(data));
        if (data != nullptr)
            XFree(data);
        return pid;
    }

    Display* m_display;
    Atom m_pidAtom = 0;
};

pid_t start(const char* program, const char* option) {
    char* const argv[] = {const_cast<char*>(program), const_cast<char*>(option), nullptr};
    pid_t pid = 0;
    return posix_spawn(&pid, program, nullptr, nullptr, argv, environ) == 0 ? pid : -1;
}

void stop(pid_t pid) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// VmHWM of /proc/<pid>/status, in kB.
long peakMemoryKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return 0;
}

// option, when not null, is the program's one argument.
void startUp(benchmark::State& state, const char* program, const char* option) {
    // A real display, never Qt's offscreen one, whatever the caller's environment says.
    unsetenv("QT_QPA_PLATFORM");
    MapWatch watch;
    if (!watch.connected()) {
        state.SkipWithError("no X display (run under Xvfb: tools/bench.sh)");
        return;
    }
    double peakKb = 0;
    for (auto _ : state) {
        const auto started = Clock::now();
        const pid_t pid = start(program, option);
        if (pid < 0 || !watch.waitForWindowOf(pid)) {
            state.SkipWithError("the window never showed");
            if (pid > 0)
                stop(pid);
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - started).count());
        std::this_thread::sleep_for(settleTime);
        peakKb += static_cast<double>(peakMemoryKb(pid));
        stop(pid);
    }
    state.counters["peak_MB"] =
        benchmark::Counter(peakKb / 1024.0, benchmark::Counter::kAvgIterations);
}

} // namespace

BENCHMARK_CAPTURE(startUp, scarabo, SCARABO_PROGRAM, nullptr)
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(startUp, minimalWindow, MINIMAL_WINDOW_PROGRAM, nullptr)
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(startUp, minimalWindowWithText, MINIMAL_WINDOW_PROGRAM, "--text")
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(startUp, plainWindowWithTheSameWidgets, MINIMAL_WINDOW_PROGRAM, "--widgets")
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
