// Start-up of the real program beside a minimal Qt window program built in the same tree (empty,
// with one line of text, and with the same kinds of widgets): the time from starting the process to
// its main window being mapped on the X display, and the process's peak memory once it has drawn
// it. The program maps its window only after the alphabet has loaded, so the time covers the whole
// start-up. Needs an X display; tools/bench.sh runs it under Xvfb, where no window manager delays
// the mapping.
//
// The load of a shared machine drifts within seconds, so the program and its yardstick are started
// in turn, a pair at a time (the order alternating from pair to pair), and the figure that counts
// is the median of the pairs' ratios: a drift that slows both starts of a pair leaves their ratio
// as it is, where two separate series of starts would each catch a different part of it.

#include <algorithm>
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
#include <vector>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Time to let the window draw itself before the peak memory is read.
constexpr auto settleTime = std::chrono::milliseconds(300);
constexpr auto mapTimeout = std::chrono::seconds(20);
// Starts of each before the measured ones, so that both find the same warm file cache.
constexpr int warmUpStarts = 3;
constexpr int measuredPairs = 51;

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

struct Program {
    const char* path;
    const char* option; // the program's one argument, or null
};

struct Start {
    double seconds; // to the window being mapped
    double peakKb;  // once it has drawn itself
};

// One start of program, ended again; nothing when its window never showed.
std::optional<Start> startOnce(MapWatch& watch, const Program& program) {
    const auto started = Clock::now();
    const pid_t pid = start(program.path, program.option);
    if (pid < 0 || !watch.waitForWindowOf(pid)) {
        if (pid > 0)
            stop(pid);
        return std::nullopt;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    std::this_thread::sleep_for(settleTime);
    const auto peakKb = static_cast<double>(peakMemoryKb(pid));
    stop(pid);
    return Start{seconds, peakKb};
}

// The q-quantile of values, interpolated between the two nearest.
double quantile(std::vector<double> values, double q) {
    std::sort(values.begin(), values.end());
    const double position = q * static_cast<double>(values.size() - 1);
    const auto below = static_cast<std::size_t>(position);
    const std::size_t above = std::min(below + 1, values.size() - 1);
    return values[below] +
           (position - static_cast<double>(below)) * (values[above] - values[below]);
}

double mean(const std::vector<double>& values) {
    double sum = 0;
    for (const double value : values)
        sum += value;
    return sum / static_cast<double>(values.size());
}

struct Series {
    std::vector<double> seconds;
    std::vector<double> peakKb;

    void add(const Start& start) {
        seconds.push_back(start.seconds);
        peakKb.push_back(start.peakKb);
    }
};

void report(benchmark::State& state, const Series& program, const Series& yardstick) {
    std::vector<double> ratios;
    for (std::size_t k = 0; k < program.seconds.size(); ++k)
        ratios.push_back(program.seconds[k] / yardstick.seconds[k]);
    state.SetIterationTime(quantile(program.seconds, 0.5));
    state.counters["yardstick_ms"] = quantile(yardstick.seconds, 0.5) * 1000.0;
    state.counters["ratio"] = quantile(ratios, 0.5);
    state.counters["ratio_p25"] = quantile(ratios, 0.25);
    state.counters["ratio_p75"] = quantile(ratios, 0.75);
    state.counters["pairs"] = static_cast<double>(ratios.size());
    state.counters["peak_MB"] = mean(program.peakKb) / 1024.0;
    state.counters["yardstick_peak_MB"] = mean(yardstick.peakKb) / 1024.0;
}

// The program and the yardstick started in pairs, the first of a pair alternating; false when a
// window never showed.
bool startInPairs(MapWatch& watch, const Program& yardstick, int pairs, Series* program,
                  Series* other) {
    const Program scarabo{SCARABO_PROGRAM, nullptr};
    for (int pair = 0; pair < pairs; ++pair) {
        const bool programFirst = pair % 2 == 0;
        const std::optional<Start> first = startOnce(watch, programFirst ? scarabo : yardstick);
        const std::optional<Start> second = startOnce(watch, programFirst ? yardstick : scarabo);
        if (!first || !second)
            return false;
        if (program != nullptr) {
            program->add(programFirst ? *first : *second);
            other->add(programFirst ? *second : *first);
        }
    }
    return true;
}

void startUpBeside(benchmark::State& state, const char* yardstickPath, const char* option) {
    // A real display, never Qt's offscreen one, whatever the caller's environment says.
    unsetenv("QT_QPA_PLATFORM");
    MapWatch watch;
    if (!watch.connected()) {
        state.SkipWithError("no X display (run under Xvfb: tools/bench.sh)");
        return;
    }
    const Program yardstick{yardstickPath, option};
    for (auto _ : state) {
        Series program;
        Series other;
        if (!startInPairs(watch, yardstick, warmUpStarts, nullptr, nullptr) ||
            !startInPairs(watch, yardstick, measuredPairs, &program, &other)) {
            state.SkipWithError("a window never showed");
            break;
        }
        report(state, program, other);
    }
}

} // namespace

BENCHMARK_CAPTURE(startUpBeside, plainWindowWithTheSameWidgets, MINIMAL_WINDOW_PROGRAM, "--widgets")
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(startUpBeside, minimalWindow, MINIMAL_WINDOW_PROGRAM, nullptr)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(startUpBeside, minimalWindowWithText, MINIMAL_WINDOW_PROGRAM, "--text")
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
