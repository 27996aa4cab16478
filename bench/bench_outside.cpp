// The program measured from outside, as the operator meets it: the real QV_md on a virtual display,
// keys sent with xdotool, and the repaints they cause watched through the X server's damage events. Each
// action is timed from the moment its key reaches the window to the last repaint it causes, in a log of
// 32,000 contacts and in an empty one, alternately, and the ratios are printed with their spread.
// Usage: bench_outside [runs]    (QVMD_PROGRAM, QVMD_SOURCE_DIR from the build)

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int bigLog = 32000;
// No repaint for this long ends an action; the clock and the text cursor repaint every 500 ms and are
// learnt beforehand as idle repaints.
constexpr double quietSeconds = 0.3;
const std::string logName = "5QV123_MD_H_2026.Log";

// Windows come and go under the watcher (and input-only ones take no damage): such errors are expected.
int ignoreXError(Display*, XErrorEvent*) {
    return 0;
}

double since(Clock::time_point t) {
    return std::chrono::duration<double>(Clock::now() - t).count();
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string crlf(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

struct Station {
    std::string country, unit;
};

// Member stations of the shipped rosters: a Find fills their name and category, so a write needs no
// other window.
std::vector<Station> rosterStations(const fs::path& data) {
    std::vector<Station> stations;
    for (const char* roster : {"Hunter.dat", "Lady.dat"}) {
        std::istringstream lines(readFile(data / roster));
        std::string line;
        while (std::getline(lines, line)) {
            const std::size_t qv = line.find("QV");
            const std::size_t end = line.find('>');
            if (qv == std::string::npos || end == std::string::npos || qv == 0 || qv > end)
                continue;
            const std::string country = line.substr(0, qv);
            const std::string unit = line.substr(qv + 2, end - qv - 2);
            if (country.find_first_not_of("0123456789") == std::string::npos &&
                unit.find_first_not_of("0123456789") == std::string::npos && !unit.empty())
                stations.push_back({country, unit});
        }
    }
    return stations;
}

// A portable program folder: the program beside Data, Logs and Backup, a registered Hunter station and
// its log in use of `contacts` contacts, none of them a roster station, with 2QV2 among them.
fs::path layout(const fs::path& root, const std::string& name, int contacts, const fs::path& program,
                const fs::path& source, const std::set<std::string>& roster) {
    const fs::path folder = root / name;
    for (const char* sub : {"Data", "Logs", "Backup"})
        fs::create_directories(folder / sub);
    std::error_code linked;
    fs::create_hard_link(program, folder / "QV_md", linked);
    if (linked)
        fs::copy_file(program, folder / "QV_md");
    for (const auto& entry : fs::directory_iterator(source / "data"))
        fs::copy_file(entry.path(), folder / "Data" / entry.path().filename());
    writeFile(folder / "Data/Lang.dat", "1000\r\n");
    writeFile(folder / "Data/Prime.dat", crlf({"1", "1", "5QV123", "OPERATOR", "01/05/2026"}));
    writeFile(folder / "Data/Use.dat",
              crlf({"1", logName, "H", "N", "2026", "5QV123", "OPERATOR", "5", "QV", "123", "1"}));
    std::string log = crlf(
        {"##H", "#5QV123", "#OPERATOR", "#N", "#1", "#01/05/2026", "#5", "#QV", "#123", "#2026", "#LOG"});
    int hunters = 0, ladies = 0, cancelled = 0;
    for (int n = 1; n <= contacts; ++n) {
        std::string id = n == 1 ? "2QV2" : std::to_string(n % 300 + 1) + "QV" + std::to_string(n % 3000 + 1);
        if (roster.count(id))
            id = std::to_string(n % 300 + 1) + "ZZ" + std::to_string(n);
        const bool lady = n % 3 == 0;
        const bool gone = n % 11 == 0 && n != 1;
        (gone ? cancelled : lady ? ladies : hunters)++;
        char stamp[32];
        std::snprintf(stamp, sizeof stamp, "06/05/2026 10:%02d:%02d", (n / 60) % 60, n % 60);
        log += std::to_string(n) + ">" + std::to_string(n % 500) + ">" + id + ">OPERATOR " +
               std::to_string(n % 97) + ">" + (lady ? "L" : "H") + ">Country>" + stamp + ">" +
               (gone ? "S" : "N") + ">\r\n";
    }
    writeFile(folder / "Logs" / logName, log);
    writeFile(folder / "Logs/Log.dat", crlf({std::to_string(contacts + 1), std::to_string(hunters),
                                             std::to_string(ladies), "0", std::to_string(cancelled)}));
    return folder;
}

pid_t spawn(const std::vector<std::string>& command, const std::map<std::string, std::string>& env = {},
            const fs::path& directory = {}) {
    const pid_t child = ::fork();
    if (child == 0) {
        // The display and the program go with the benchmark, however it ends.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        for (const auto& [name, value] : env)
            ::setenv(name.c_str(), value.c_str(), 1);
        if (!directory.empty() && ::chdir(directory.c_str()) != 0)
            ::_exit(127);
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, 1);
        ::dup2(null, 2);
        std::vector<char*> argv;
        for (const std::string& argument : command)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    return child;
}

void stop(pid_t& process) {
    if (process <= 0)
        return;
    ::kill(process, SIGTERM);
    ::waitpid(process, nullptr, 0);
    process = -1;
}

// One program on a virtual display of its own, and the connection that watches it.
class Session {
public:
    Session(const fs::path& folder) : folder_(folder) {
        for (int d = 60; d < 90; ++d) {
            if (!fs::exists("/tmp/.X" + std::to_string(d) + "-lock")) {
                display_ = ":" + std::to_string(d);
                break;
            }
        }
        xvfb_ = spawn({"Xvfb", display_, "-screen", "0", "1280x900x24", "-nolisten", "tcp"});
        const auto start = Clock::now();
        while (!(dpy_ = XOpenDisplay(display_.c_str())) && since(start) < 10)
            ::usleep(50000);
        if (!dpy_)
            return;
        int error = 0;
        if (!XDamageQueryExtension(dpy_, &damageEvent_, &error)) {
            XCloseDisplay(dpy_);
            dpy_ = nullptr;
            return;
        }
        root_ = DefaultRootWindow(dpy_);
        XSelectInput(dpy_, root_, SubstructureNotifyMask);
        app_ = spawn({(folder_ / "QV_md").string()}, {{"DISPLAY", display_}, {"QT_QPA_PLATFORM", "xcb"}},
                     folder_);
    }
    ~Session() {
        stop(app_);
        if (dpy_)
            XCloseDisplay(dpy_);
        stop(xvfb_);
    }
    bool ok() const { return dpy_ != nullptr; }

    // The newest mapped top-level window with this title, once it has shown and gone quiet.
    Window waitForWindow(const std::string& title, double seconds = 20) {
        const auto start = Clock::now();
        while (since(start) < seconds) {
            pump(0.05);
            Window found = 0;
            Window rootOut, parent, *children = nullptr;
            unsigned count = 0;
            if (XQueryTree(dpy_, root_, &rootOut, &parent, &children, &count)) {
                for (unsigned i = 0; i < count; ++i) {
                    XWindowAttributes attributes;
                    char* name = nullptr;
                    if (XGetWindowAttributes(dpy_, children[i], &attributes) &&
                        attributes.map_state == IsViewable && XFetchName(dpy_, children[i], &name) && name) {
                        if (title == name)
                            found = children[i];
                        XFree(name);
                    }
                }
                XFree(children);
            }
            if (found) {
                watch(found);
                settle();
                return found;
            }
        }
        return 0;
    }

    // Learns what repaints by itself (clocks, the text cursor) while nothing is done.
    void learnIdle(double seconds = 1.3) {
        learning_ = true;
        pump(seconds);
        learning_ = false;
    }

    // Runs xdotool with these arguments, untimed, and waits until the program is quiet again.
    void send(const std::vector<std::string>& arguments) {
        std::vector<std::string> command{"xdotool"};
        command.insert(command.end(), arguments.begin(), arguments.end());
        const pid_t tool = spawn(command, {{"DISPLAY", display_}});
        ::waitpid(tool, nullptr, 0);
        settle();
    }

    // Sends a key and returns the seconds from its arrival (press, or release for a button) to the last
    // repaint it caused; a negative value when the key or its repaint was never seen (a missed sample, not
    // an instant one).
    double timeKey(const std::string& key, bool onRelease = false) {
        settle();
        trigger_ = onRelease ? KeyRelease : KeyPress;
        keySeen_ = false;
        lastDamage_ = {};
        const pid_t tool = spawn({"xdotool", "key", key}, {{"DISPLAY", display_}});
        const auto start = Clock::now();
        while (since(start) < 10) {
            pump(0.02);
            if (keySeen_ && since(std::max(keyAt_, lastDamage_)) > quietSeconds)
                break;
        }
        ::waitpid(tool, nullptr, 0);
        trigger_ = 0;
        if (!keySeen_ || lastDamage_ < keyAt_)
            return -1;
        return std::chrono::duration<double>(lastDamage_ - keyAt_).count();
    }

    void focus(Window window) { send({"windowfocus", "--sync", std::to_string(window)}); }

private:
    void watch(Window window) {
        if (watched_.count(window))
            return;
        watched_.insert(window);
        XSelectInput(dpy_, window, KeyPressMask | KeyReleaseMask | StructureNotifyMask);
        XDamageCreate(dpy_, window, XDamageReportRawRectangles);
        XFlush(dpy_);
    }

    // Waits until nothing but idle repaints has come for the quiet time.
    void settle() {
        auto last = Clock::now();
        const auto start = last;
        while (since(last) < quietSeconds && since(start) < 10) {
            if (pumpOne(0.02))
                last = Clock::now();
        }
    }

    void pump(double seconds) {
        const auto start = Clock::now();
        while (since(start) < seconds)
            pumpOne(0.01);
    }

    // Handles the events that came within the time; true when one was a repaint that counts.
    bool pumpOne(double seconds) {
        bool counted = false;
        if (!XPending(dpy_)) {
            pollfd fd{ConnectionNumber(dpy_), POLLIN, 0};
            ::poll(&fd, 1, static_cast<int>(seconds * 1000));
        }
        while (XPending(dpy_)) {
            XEvent event;
            XNextEvent(dpy_, &event);
            const auto now = Clock::now();
            if (event.type == CreateNotify) {
                watch(event.xcreatewindow.window);
            } else if (event.type == DestroyNotify) {
                watched_.erase(event.xdestroywindow.window);
            } else if (trigger_ && event.type == trigger_ && !keySeen_) {
                keySeen_ = true;
                keyAt_ = now;
            } else if (event.type == damageEvent_ + XDamageNotify) {
                const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
                const auto area = std::make_tuple(damage.drawable, damage.area.x, damage.area.y,
                                                  damage.area.width, damage.area.height);
                if (learning_) {
                    idle_.insert(area);
                } else if (!idle_.count(area)) {
                    counted = true;
                    if (keySeen_)
                        lastDamage_ = now;
                }
            }
        }
        return counted;
    }

    fs::path folder_;
    std::string display_ = ":77";
    pid_t xvfb_ = -1;
    pid_t app_ = -1;
    Display* dpy_ = nullptr;
    Window root_ = 0;
    int damageEvent_ = 0;
    std::set<Window> watched_;
    std::set<std::tuple<Drawable, short, short, unsigned short, unsigned short>> idle_;
    bool learning_ = false;
    int trigger_ = 0;
    bool keySeen_ = false;
    Clock::time_point keyAt_;
    Clock::time_point lastDamage_;
};

struct Spread {
    double min = 0, median = 0, max = 0;
};

Spread spread(std::vector<double> values) {
    if (values.empty())
        return {};
    std::sort(values.begin(), values.end());
    return {values.front(), values[values.size() / 2], values.back()};
}

// The figures of one action: times with both logs, and the ratio of each pair taken one after the other.
struct Figures {
    std::vector<double> big, empty, ratio;
    int missed = 0;
    void add(double b, double e) {
        if (b < 0 || e <= 0) {
            ++missed;
            return;
        }
        big.push_back(b);
        empty.push_back(e);
        ratio.push_back(b / e);
    }
};

bool print(const char* what, const Figures& figures, double limit) {
    const Spread big = spread(figures.big), empty = spread(figures.empty), ratio = spread(figures.ratio);
    std::printf(
        "%s: 32000 contacts %.2f/%.2f/%.2f ms, empty log %.2f/%.2f/%.2f ms (min/median/max, %zu pairs, "
        "%d missed)\n",
        what, big.min * 1e3, big.median * 1e3, big.max * 1e3, empty.min * 1e3, empty.median * 1e3,
        empty.max * 1e3, figures.ratio.size(), figures.missed);
    std::printf("%s, 32000 contacts / an empty log = %.2f (min %.2f, max %.2f; median at most %g)%s\n", what,
                ratio.median, ratio.min, ratio.max, limit,
                figures.ratio.empty() || ratio.median > limit ? "  ** TOO SLOW **" : "");
    return !figures.ratio.empty();
}

} // namespace

int main(int argc, char** argv) {
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const int writeCount = argc > 2 ? std::clamp(std::atoi(argv[2]), 1, 50) : 50;
    XSetErrorHandler(ignoreXError);
    const fs::path program = QVMD_PROGRAM;
    const fs::path source = QVMD_SOURCE_DIR;
    if (std::system("command -v xdotool >/dev/null && command -v Xvfb >/dev/null") != 0) {
        std::printf("bench_outside: needs xdotool and Xvfb\n");
        return 1;
    }
    std::printf("Outside the program: xdotool keys in, damage events out, on Xvfb; %d runs\n", repeats);
    char pattern[] = "/tmp/qvmd-outside-XXXXXX";
    const fs::path root = ::mkdtemp(pattern);
    const std::vector<Station> stations = rosterStations(source / "data");
    std::set<std::string> roster;
    for (const Station& s : stations)
        roster.insert(s.country + "QV" + s.unit);

    Figures open, key, write, fiftieth;
    {
        Session big(layout(root, "big", bigLog, program, source, roster));
        Session empty(layout(root, "empty", 0, program, source, roster));
        if (!big.ok() || !empty.ok()) {
            std::printf("bench_outside: no virtual display with damage events\n");
            return 1;
        }
        Session* sessions[] = {&big, &empty};
        Window main[2] = {};
        Window logging[2] = {};
        for (int s = 0; s < 2; ++s) {
            main[s] = sessions[s]->waitForWindow("Marigold Day", 60);
            if (!main[s]) {
                std::printf("bench_outside: the main window did not show\n");
                return 1;
            }
            sessions[s]->learnIdle();
        }

        // Opening: Space on Open Log, which has the focus in the main window; Exit closes it again.
        for (int r = 0; r < repeats; ++r) {
            double t[2];
            for (int s = 0; s < 2; ++s) {
                sessions[s]->focus(main[s]);
                t[s] = sessions[s]->timeKey("space", true);
                logging[s] = sessions[s]->waitForWindow("Log  Station");
                sessions[s]->learnIdle(0.6);
                if (r + 1 < repeats)
                    sessions[s]->send(
                        {"mousemove", "--window", std::to_string(logging[s]), "560", "169", "click", "1"});
            }
            open.add(t[0], t[1]);
        }

        // A keystroke: the unit of 2QV2 typed after its country; in the big log it is a duplicate, so the
        // status line says so and the grid scrolls to it and highlights it.
        for (int s = 0; s < 2; ++s) {
            sessions[s]->learnIdle();
            sessions[s]->focus(logging[s]);
            sessions[s]->send({"type", "2"});
            sessions[s]->send({"key", "Return"});
        }
        for (int r = 0; r < 3 * repeats; ++r) {
            double t[2];
            for (int s = 0; s < 2; ++s) {
                t[s] = sessions[s]->timeKey("2");
                sessions[s]->send({"key", "BackSpace"});
            }
            key.add(t[0], t[1]);
        }
        for (int s = 0; s < 2; ++s)
            sessions[s]->send({"key", "Escape"});

        // Writing: 50 roster stations found and written with Enter in the received number's box; the 50th
        // starts the automatic backup.
        for (int c = 0; c < writeCount && c < static_cast<int>(stations.size()); ++c) {
            double t[2];
            for (int s = 0; s < 2; ++s) {
                sessions[s]->send({"type", stations[c].country, "key", "Return", "type", stations[c].unit,
                                   "key", "Return", "type", "5"});
                t[s] = sessions[s]->timeKey("Return");
            }
            if (std::getenv("QVMD_OUTSIDE_DEBUG"))
                std::printf("write %d %s%s: %.2f %.2f ms\n", c + 1, stations[c].country.c_str(),
                            stations[c].unit.c_str(), t[0] * 1e3, t[1] * 1e3);
            (c == 49 ? fiftieth : write).add(t[0], t[1]);
        }
    }
    fs::remove_all(root);

    bool ok = print("open the logging window", open, 1.2);
    ok = print("keystroke with the status line", key, 1.2) && ok;
    ok = print("write a contact", write, 1.2) && ok;
    ok = print("write the 50th contact", fiftieth, 1.2) && ok;
    // No write may stand out: the slowest of all, the 50th included, against the median write.
    std::vector<double> allWrites = write.big;
    allWrites.insert(allWrites.end(), fiftieth.big.begin(), fiftieth.big.end());
    const Spread writes = spread(allWrites);
    if (writes.median > 0)
        std::printf("slowest write / median write, 32000 contacts = %.2f (at most 2)%s\n",
                    writes.max / writes.median, writes.max / writes.median > 2 ? "  ** TOO SLOW **" : "");
    return ok ? 0 : 1;
}
