// Measures the quiz against the toolkit's floor and prints one table of medians, minima and
// maxima. Every figure comes from fresh processes of merezhvar-probe and merezhvar-floor, so each
// run pays the costs a user pays; nothing here fails on a time.
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

std::int64_t nowNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t{ts.tv_sec} * 1'000'000'000 + ts.tv_nsec;
}

struct Options {
    int reps = 21;
    bool xvfb = false;
    fs::path program = MEREZHVAR_EXE;
};

// The figures a child printed, by key, with the parent's clock readings around it.
struct Run {
    std::int64_t spawned = 0;  // just before posix_spawn
    std::int64_t exited = 0;   // when wait4 returned
    std::map<std::string, std::vector<long long>> figures;
    std::string output;

    long long one(const std::string& key) const {
        const auto it = figures.find(key);
        return it == figures.end() || it->second.empty() ? -1 : it->second.front();
    }
};

struct Environment {
    std::vector<std::string> vars;  // the parent's, with the platform overrides
    std::vector<char*> pointers() {
        std::vector<char*> p;
        for (auto& v : vars) p.push_back(v.data());
        p.push_back(nullptr);
        return p;
    }
};

Environment childEnvironment(const std::map<std::string, std::string>& overrides) {
    Environment env;
    for (char** e = environ; *e; ++e) {
        const std::string var = *e;
        if (!overrides.contains(var.substr(0, var.find('=')))) env.vars.push_back(var);
    }
    for (const auto& [k, v] : overrides) env.vars.push_back(k + "=" + v);
    return env;
}

constexpr int childTimeoutMs = 60'000;

// Runs a program to its end, its stdout and stderr in one pipe; nullopt if it failed or hung.
std::optional<Run> runChild(const fs::path& exe, const std::vector<std::string>& args,
                            Environment& env) {
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDERR_FILENO);
    std::vector<std::string> argStrings{exe.string()};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argStrings) argv.push_back(a.data());
    argv.push_back(nullptr);
    auto envp = env.pointers();

    Run run;
    pid_t pid = 0;
    run.spawned = nowNs();
    const int spawnError =
        posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawnError != 0) {
        close(out[0]);
        std::fprintf(stderr, "cannot start %s: %s\n", exe.c_str(), std::strerror(spawnError));
        return std::nullopt;
    }

    bool hung = false;
    char buffer[4096];
    for (;;) {
        pollfd p{.fd = out[0], .events = POLLIN, .revents = 0};
        const int ready = poll(&p, 1, childTimeoutMs);
        if (ready == 0) {
            hung = true;
            kill(pid, SIGKILL);
            break;
        }
        if (ready < 0 && errno == EINTR) continue;
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0) break;
        run.output.append(buffer, static_cast<size_t>(n));
    }
    close(out[0]);
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    run.exited = nowNs();

    std::istringstream lines(run.output);
    std::string key;
    long long value = 0;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        if (words >> key >> value) run.figures[key].push_back(value);
    }
    if (hung || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s %s failed%s:\n%s\n", exe.c_str(),
                     args.empty() ? "" : args.front().c_str(), hung ? " (no frame)" : "",
                     run.output.c_str());
        return std::nullopt;
    }
    return run;
}

struct Stats {
    double median = 0, min = 0, max = 0;
    size_t count = 0;
};

Stats stats(std::vector<double> v) {
    Stats s;
    if (v.empty()) return s;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    s.median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    s.min = v.front();
    s.max = v.back();
    s.count = n;
    return s;
}

double ms(long long ns) {
    return static_cast<double>(ns) / 1e6;
}

double mib(long long kib) {
    return static_cast<double>(kib) / 1024.0;
}

// An Xvfb of our own, on a display number it picks itself.
class Xvfb {
public:
    bool start() {
        int fd[2];
        if (pipe(fd) != 0) return false;
        const std::string displayFd = std::to_string(fd[1]);
        std::vector<std::string> args = {"Xvfb", "-displayfd",   displayFd,   "-screen",
                                         "0",    "1280x1024x24", "-nolisten", "tcp"};
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, fd[0]);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        const int error = posix_spawnp(&pid_, "Xvfb", &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(fd[1]);
        if (error != 0) {
            close(fd[0]);
            pid_ = 0;
            return false;
        }
        // Xvfb writes its display number once it accepts clients.
        std::string number;
        char c = 0;
        pollfd p{.fd = fd[0], .events = POLLIN, .revents = 0};
        while (poll(&p, 1, 10'000) > 0 && read(fd[0], &c, 1) == 1 && c != '\n') number += c;
        close(fd[0]);
        if (number.empty()) return false;
        display_ = ":" + number;
        return true;
    }
    ~Xvfb() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    const std::string& display() const { return display_; }

private:
    pid_t pid_ = 0;
    std::string display_;
};

std::string cpuModel() {
    std::ifstream cpuinfo("/proc/cpuinfo");
    for (std::string line; std::getline(cpuinfo, line);)
        if (line.starts_with("model name")) return line.substr(line.find(':') + 2);
    return "unknown";
}

std::string firstLine(const char* file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

std::string utcNow() {
    const std::time_t t = std::time(nullptr);
    char text[64];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M UTC", std::gmtime(&t));
    return text;
}

// Size of a stripped copy; the build's own file keeps its symbols.
long long strippedSize(const fs::path& exe) {
    const fs::path copy =
        fs::temp_directory_path() / ("merezhvar-bench-" + std::to_string(getpid()));
    std::vector<std::string> args = {"strip", "-o", copy.string(), exe.string()};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    int status = 0;
    if (posix_spawnp(&pid, "strip", nullptr, nullptr, argv.data(), environ) != 0) return -1;
    waitpid(pid, &status, 0);
    std::error_code ec;
    const auto size = fs::file_size(copy, ec);
    fs::remove(copy, ec);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? static_cast<long long>(size) : -1;
}

// printf pads by bytes; the labels are partly Cyrillic, so pad by characters.
std::string padded(const std::string& text, size_t width) {
    const auto chars = static_cast<size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
    return chars >= width ? text : text + std::string(width - chars, ' ');
}

class Table {
public:
    void row(const std::string& what, const Stats& s, const char* unit, const std::string& target,
             std::optional<bool> met) {
        std::printf("  %s %9.2f %9.2f %9.2f %-4s %-12s %s\n", padded(what, 46).c_str(), s.median,
                    s.min, s.max, unit, target.c_str(), verdict(met));
    }
    void value(const std::string& what, double v, const char* unit, const std::string& target,
               std::optional<bool> met) {
        std::printf("  %s %9.2f %9s %9s %-4s %-12s %s\n", padded(what, 46).c_str(), v, "", "", unit,
                    target.c_str(), verdict(met));
    }
    void section(const char* title) { std::printf("%s\n", title); }

private:
    static const char* verdict(std::optional<bool> met) {
        if (!met) return "";
        return *met ? "met" : "MISSED";
    }
};

std::vector<double> asMs(const std::vector<long long>& ns) {
    std::vector<double> v;
    for (long long x : ns) v.push_back(ms(x));
    return v;
}

int usage() {
    std::fprintf(stderr,
                 "usage: merezhvar-bench [--quick] [--reps N] [--xvfb] [--program PATH]\n"
                 "  --quick         3 repetitions: checks that everything runs\n"
                 "  --reps N        repetitions of every measure (default 21)\n"
                 "  --xvfb          run the windows on an Xvfb of its own instead of offscreen\n"
                 "  --program PATH  the Release merezhvar whose stripped size is reported\n");
    return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--quick") {
            options.reps = 3;
        } else if (arg == "--reps" && i + 1 < argc) {
            options.reps = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--xvfb") {
            options.xvfb = true;
        } else if (arg == "--program" && i + 1 < argc) {
            options.program = argv[++i];
        } else {
            return usage();
        }
    }
    const fs::path here = fs::read_symlink("/proc/self/exe").parent_path();
    const fs::path probe = here / "merezhvar-probe";
    const fs::path floorExe = here / "merezhvar-floor";

    Xvfb xvfb;
    std::map<std::string, std::string> overrides;
    if (options.xvfb) {
        if (!xvfb.start()) {
            std::fprintf(stderr, "cannot start Xvfb\n");
            return 1;
        }
        overrides = {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", xvfb.display()}};
    } else {
        overrides = {{"QT_QPA_PLATFORM", "offscreen"}};
    }
    Environment env = childEnvironment(overrides);
    // The machine is shared: the load average says how far to trust the figures.
    std::istringstream loadFields(firstLine("/proc/loadavg"));
    std::string load, field;
    for (int i = 0; i < 3 && loadFields >> field; ++i) load += (i ? " " : "") + field;
    const int reps = options.reps;

    // 1. Start-up, probe and floor alternating (and the floor with text), after one round that
    // only warms the file cache.
    std::vector<double> probeStart, floorStart, ratio, probeWall, floorWall, floorHwm;
    std::vector<double> textStart, textRatio;
    std::string qtVersion = "?";
    for (int i = -1; i < reps; ++i) {
        const auto a = runChild(probe, {}, env);
        const auto b = runChild(floorExe, {}, env);
        const auto c = runChild(floorExe, {"--text"}, env);
        if (!a || !b || !c) return 1;
        if (i < 0) {
            const auto at = b->output.find("qt ");
            if (at != std::string::npos)
                qtVersion = b->output.substr(at + 3, b->output.find('\n', at) - at - 3);
            continue;
        }
        const double pa = ms(a->one("startup") - a->spawned);
        const double fb = ms(b->one("startup") - b->spawned);
        probeStart.push_back(pa);
        floorStart.push_back(fb);
        ratio.push_back(pa / fb);
        const double fc = ms(c->one("startup") - c->spawned);
        textStart.push_back(fc);
        textRatio.push_back(pa / fc);
        probeWall.push_back(ms(a->exited - a->spawned));
        floorWall.push_back(ms(b->exited - b->spawned));
        floorHwm.push_back(mib(b->one("hwm")));
    }

    // 2 to 5. One pass per process, and the floor's own cost of switching windows beside it.
    std::vector<long long> startTest, next, score, pass, floorSwitch;
    std::vector<double> passHwm;
    for (int i = 0; i < reps; ++i) {
        const auto r = runChild(probe, {"--pass"}, env);
        const auto f = runChild(floorExe, {"--switch"}, env);
        if (!r || !r->figures.contains("next") || r->figures.at("next").size() != 23) return 1;
        if (!f || !f->figures.contains("switch")) return 1;
        const auto& s = f->figures.at("switch");
        floorSwitch.insert(floorSwitch.end(), s.begin(), s.end());
        startTest.push_back(r->one("start-test"));
        const auto& n = r->figures.at("next");
        next.insert(next.end(), n.begin(), n.end());
        score.push_back(r->one("score"));
        pass.push_back(r->one("pass"));
        passHwm.push_back(mib(r->one("hwm")));
    }

    // 7. Creating 1, 5 and 25 forms, hidden, in a program that has just shown Form1.
    const int counts[] = {1, 5, 25};
    std::map<int, std::vector<double>> create;
    for (int i = 0; i < reps; ++i) {
        for (int count : counts) {
            const auto r = runChild(probe, {"--create", std::to_string(count)}, env);
            if (!r) return 1;
            create[count].push_back(ms(r->one("create")));
        }
    }

    // 6. Sizes.
    const long long programSize = strippedSize(options.program);
    const long long floorSize = strippedSize(floorExe);

    const Stats sProbe = stats(probeStart), sFloor = stats(floorStart), sRatio = stats(ratio);
    const Stats sTextRatio = stats(textRatio);
    const Stats sStartTest = stats(asMs(startTest)), sNext = stats(asMs(next));
    const Stats sScore = stats(asMs(score)), sPass = stats(asMs(pass));
    const Stats sPassHwm = stats(passHwm), sFloorHwm = stats(floorHwm);

    std::printf("Мережвар benchmark: %s, Qt %s, %d repetitions\n",
                options.xvfb ? ("Xvfb " + xvfb.display()).c_str() : "offscreen", qtVersion.c_str(),
                reps);
    std::printf("machine: %ld CPUs, %s; %s; load average at start %s\n",
                sysconf(_SC_NPROCESSORS_ONLN), cpuModel().c_str(), utcNow().c_str(), load.c_str());
    std::printf("  %-46s %9s %9s %9s %-4s %-12s %s\n", "", "median", "min", "max", "", "target",
                "");
    Table t;
    t.section("1 start-up: process start to the first frame painted");
    t.row("program, Form1 painted", sProbe, "ms", "", {});
    t.row("floor, empty window painted", sFloor, "ms", "", {});
    t.row("program / floor, paired", sRatio, "x", "", {});
    t.row("floor with one line of text", stats(textStart), "ms", "", {});
    // Any window that draws text pays for the font machinery: that window is the honest floor.
    t.row("program / floor with text, paired", sTextRatio, "x", "<= 1.10",
          sTextRatio.median <= 1.10);
    t.row("program, whole process to exit", stats(probeWall), "ms", "", {});
    t.row("floor, whole process to exit", stats(floorWall), "ms", "", {});
    t.section("2 first «Розпочати тест»: 25 forms created, Form2 painted");
    t.row("Form1.Command1 to Form2 painted", sStartTest, "ms", "<= 16 ms", sStartTest.median <= 16);
    t.section("3 «Далі» to the next form painted");
    t.row("each of the 23 to a question form", sNext, "ms", "<= 2 ms", sNext.median <= 2);
    t.row("the scoring one, to Form4", sScore, "ms", "<= 2 ms", sScore.median <= 2);
    t.row("floor: a new empty window shown, last hidden", stats(asMs(floorSwitch)), "ms", "", {});
    t.section("4 whole pass in one process");
    t.row("«Розпочати тест» and 24 answers to Form4", sPass, "ms", "", {});
    t.section("5 peak resident memory (VmHWM)");
    t.row("program after a full pass", sPassHwm, "MiB", "", {});
    t.row("floor after its first paint", sFloorHwm, "MiB", "", {});
    t.value("program - floor, medians", sPassHwm.median - sFloorHwm.median, "MiB", "<= 12 MiB",
            sPassHwm.median - sFloorHwm.median <= 12);
    t.section("6 size of the stripped executable");
    for (const auto& [what, size] : {std::pair{"merezhvar", programSize}, {"floor", floorSize}}) {
        if (size < 0)
            std::printf("  %s strip failed\n", padded(what, 46).c_str());
        else
            t.value(what, static_cast<double>(size) / 1024.0, "KiB", "", {});
    }
    t.section("7 creating forms, hidden (per form)");
    for (int count : counts) {
        Stats s = stats(create[count]);
        s.median /= count;
        s.min /= count;
        s.max /= count;
        t.row(std::to_string(count) + (count == 1 ? " form" : " forms"), s, "ms", "", {});
    }
    // Linear: each further form costs no more than the ones before it, within the noise.
    const double early = (stats(create[5]).median - stats(create[1]).median) / 4;
    const double late = (stats(create[25]).median - stats(create[5]).median) / 20;
    t.value("each form beyond 1 to 5", early, "ms", "", {});
    t.value("each form beyond 5 to 25", late, "ms", "linear",
            late <= std::max(early, 0.0) * 1.5 + 0.05);
    return 0;
}
