#include "app/startup.h"

#include <QByteArray>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "content/designs.h"

namespace app {
namespace {

struct Option {
    const char* name;
    bool takesValue;
};

// Options a user or a desktop may need; nothing here changes a pixel of a form.
constexpr Option kept[] = {
    {"-platform", true},      {"-platformpluginpath", true},
    {"-platformtheme", true}, {"-plugin", true},
    {"-display", true},       {"-name", true},
    {"-session", true},       {"-nograb", false},
    {"-dograb", false},
};

// The toolkit takes --option as -option.
const char* optionName(const char* arg) {
    return arg[0] == '-' && arg[1] == '-' ? arg + 1 : arg;
}

const Option* keptOption(const char* arg) {
    for (const Option& o : kept)
        if (std::strcmp(optionName(arg), o.name) == 0) return &o;
    return nullptr;
}

// How a display scale (one factor of QT_SCALE_FACTOR, or one entry of QT_SCREEN_SCALE_FACTORS)
// fails, if it does. Qt reads it as a number with no check of its own.
enum class ScaleFault { None, NotPositive, TooSmall, TooLarge };

ScaleFault scaleFault(const QByteArray& text, ScaleRange range) {
    bool ok = false;
    const double factor = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(factor) || factor <= 0) return ScaleFault::NotPositive;
    if (factor < range.smallest) return ScaleFault::TooSmall;
    if (factor > range.largest) return ScaleFault::TooLarge;
    return ScaleFault::None;
}

// QT_SCREEN_SCALE_FACTORS lists factors, each alone or as screen=factor, separated by ';': the
// first entry that fails decides.
ScaleFault screenScalesFault(const QByteArray& text, ScaleRange range) {
    for (const QByteArray& entry : text.split(';')) {
        if (entry.isEmpty()) continue;
        if (const ScaleFault f = scaleFault(entry.mid(entry.lastIndexOf('=') + 1), range);
            f != ScaleFault::None)
            return f;
    }
    return ScaleFault::None;
}

// A scale that would not show the forms is dropped before the toolkit reads it: they open at
// scale 1, and one line says why.
void dropUnusableScales(ScaleRange range) {
    for (const char* name : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS"}) {
        const QByteArray value = qgetenv(name);
        const QString refusal = scaleRefusal(name, value, range);
        if (refusal.isEmpty()) continue;
        qunsetenv(name);
        std::fprintf(stderr, "%s\n", refusal.toLocal8Bit().constData());
    }
}

// The one line said where no window can be opened: the display could not be reached (naming the
// display tried), the platform named is not there, or it is there and failed to start.
QString noDisplayMessage(const QString& platform, const QString& display) {
    const QString where = display.isEmpty()
                              ? QStringLiteral("дисплей не задано")
                              : QStringLiteral("дисплей «%1» недоступний").arg(display);
    return QStringLiteral("Мережвар: не вдалося відкрити вікно (%1, платформа %2).")
        .arg(where, platform);
}

QString unknownPlatformMessage(const QString& platform) {
    return QStringLiteral("Мережвар: не вдалося відкрити вікно (платформу «%1» не знайдено).")
        .arg(platform);
}

QString platformFailedMessage(const QString& platform) {
    return QStringLiteral("Мережвар: не вдалося відкрити вікно (платформа %1 не запустилася).")
        .arg(platform);
}

// What the toolkit says while the platform starts is held back: if it cannot start, the user
// reads one line of ours, naming the cause, instead of its diagnostics and an abort. Owned by
// openApplication(); the message handler, a plain function, reaches it through `current`.
class StartupMessages {
public:
    StartupMessages(QString platform, QString display)
        : platform_(std::move(platform)), display_(std::move(display)) {
        current = this;
        previous_ = qInstallMessageHandler(hold);
    }
    // The toolkit started: what it said goes where it would have gone.
    ~StartupMessages() {
        qInstallMessageHandler(previous_);
        current = nullptr;
        for (const Held& m : held_) {
            const QMessageLogContext context(nullptr, 0, nullptr, m.category.constData());
            if (previous_)
                previous_(m.type, context, m.text);
            else
                std::fprintf(stderr, "%s\n", m.text.toLocal8Bit().constData());
        }
    }
    StartupMessages(const StartupMessages&) = delete;
    StartupMessages& operator=(const StartupMessages&) = delete;

private:
    struct Held {
        QtMsgType type;
        QByteArray category;
        QString text;
    };

    static void hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        StartupMessages& self = *current;
        if (type != QtFatalMsg) {
            self.held_.push_back({type, context.category, text});
            return;
        }
        std::fprintf(stderr, "%s\n", self.failure(text).toLocal8Bit().constData());
        std::fflush(stderr);
        std::_Exit(1);  // before the toolkit aborts: no core, no dialog
    }

    bool said(const char* category, const char* words) const {
        return std::ranges::any_of(held_, [&](const Held& m) {
            return m.category == category && m.text.contains(QLatin1String(words));
        });
    }

    // The cause, read from what the toolkit said before it gave up. Qt reports it only as these
    // English log lines, so they are matched; where a later Qt words them otherwise, its own first
    // line is still named.
    QString failure(const QString& fatal) const {
        if (said("qt.qpa.plugin", "Could not find the Qt platform plugin"))
            return unknownPlatformMessage(platform_);
        if (said("qt.qpa.xcb", "could not connect to display") ||
            said("qt.qpa.wayland", "wl_display"))
            return noDisplayMessage(platform_, display_);
        if (said("qt.qpa.plugin", "Could not load the Qt platform plugin"))
            return platformFailedMessage(platform_);
        return QStringLiteral("Мережвар: не вдалося запустити програму (%1).")
            .arg(fatal.section(QLatin1Char('\n'), 0, 0));
    }

    static inline StartupMessages* current = nullptr;
    QString platform_;
    QString display_;
    QtMessageHandler previous_ = nullptr;
    std::vector<Held> held_;
};

}  // namespace

ToolkitArguments toolkitArguments(int argc, char** argv) {
    ToolkitArguments out;
    if (argc > 0) out.argv.push_back(argv[0]);
    for (int i = 1; i < argc; ++i) {
        const Option* o = keptOption(argv[i]);
        if (!o) continue;
        if (o->takesValue && i + 1 >= argc) break;
        out.argv.push_back(argv[i]);
        if (!o->takesValue) continue;
        char* value = argv[++i];
        out.argv.push_back(value);
        if (std::strcmp(o->name, "-platform") == 0) out.platform = value;
        if (std::strcmp(o->name, "-display") == 0) out.display = value;
    }
    out.argv.push_back(nullptr);  // argv ends with a null pointer
    return out;
}

ScaleRange showableScales(const std::vector<engine::FormDesign>& designs) {
    // Text is set in points at 96 pixels to the inch before scaling.
    double smallestText = engine::Font{}.points;  // the menu bar's, and any control's by default
    // The menu bar, where there is one, stands 300 twips high above the client area.
    constexpr engine::Twips menuBar = 300;
    engine::Twips largestSide = 0;
    for (const engine::FormDesign& d : designs) {
        if (d.font) smallestText = std::min(smallestText, d.font->points);
        for (const engine::ControlDesign& c : d.controls)
            if (c.font) smallestText = std::min(smallestText, c.font->points);
        largestSide =
            std::max({largestSide, d.clientWidth, d.clientHeight + (d.menu.empty() ? 0 : menuBar)});
    }
    const double textPixels = smallestText * 96 / 72;
    // X and Qt address at most 32767 device pixels; the window manager's frame, which is not
    // scaled, needs a few dozen of them.
    constexpr double devicePixels = 32767 - 64;
    const double sidePixels = double(largestSide) / engine::twipsPerPixel;
    return {.smallest = std::ceil(100 / textPixels) / 100,
            .largest = std::floor(devicePixels / sidePixels)};
}

QString scaleRefusal(const char* variable, const QByteArray& value, ScaleRange range) {
    if (value.isEmpty()) return {};
    const bool list = std::strcmp(variable, "QT_SCREEN_SCALE_FACTORS") == 0;
    QString why;
    switch (list ? screenScalesFault(value, range) : scaleFault(value, range)) {
        case ScaleFault::None:
            return {};
        case ScaleFault::NotPositive:
            why = QStringLiteral("не є додатним числом");
            break;
        case ScaleFault::TooSmall:
            why =
                QStringLiteral("замалий, щоб показати вікно (найменший — %1)").arg(range.smallest);
            break;
        case ScaleFault::TooLarge:
            why = QStringLiteral("завеликий, щоб показати вікно (найбільший — %1)")
                      .arg(range.largest);
            break;
    }
    return QStringLiteral(
               "Мережвар: масштаб %1=%2 %3, його пропущено; вікна відкриються в "
               "масштабі 1.")
        .arg(QLatin1String(variable), QString::fromLocal8Bit(value), why);
}

std::unique_ptr<QApplication> openApplication(int argc, char** argv) {
#ifdef Q_OS_WIN
    // The forms' look rests on the embedded font as FreeType draws it; the GDI path draws small
    // bold captions in the regular face. A platform the user names is left alone.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
#endif
    // With more than one monitor on X11, Qt counts each monitor whole, panels and all, unless told
    // to trust the window manager's work area: a large form would open with its title bar under a
    // panel. Elsewhere the variable is not read.
    if (!qEnvironmentVariableIsSet("QT_RELY_ON_NET_WORKAREA_ATOM"))
        qputenv("QT_RELY_ON_NET_WORKAREA_ATOM", "1");
    // The toolkit keeps the arguments it is given for the whole run.
    static ToolkitArguments args = toolkitArguments(argc, argv);
    static int count = int(args.argv.size()) - 1;
    QByteArray platform = args.platform;
    if (platform.isEmpty()) platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty()) platform = "xcb";
    QByteArray display = args.display;
    if (display.isEmpty())
        display = qgetenv(platform.startsWith("wayland") ? "WAYLAND_DISPLAY" : "DISPLAY");

    dropUnusableScales(showableScales(content::designs()));
    const StartupMessages messages(QString::fromLocal8Bit(platform),
                                   QString::fromLocal8Bit(display));
    return std::make_unique<QApplication>(count, args.argv.data());
}

}  // namespace app
