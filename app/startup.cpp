#include "app/startup.h"

#include <QByteArray>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

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

// The value an option was given among the kept arguments, if it was.
QByteArray optionValue(const std::vector<char*>& args, const char* name) {
    for (size_t i = 1; i + 1 < args.size() && args[i + 1]; ++i)
        if (std::strcmp(optionName(args[i]), name) == 0) return args[i + 1];
    return {};
}

// Messages the toolkit writes while the platform starts are held back: if it cannot start, the
// user reads one line of ours instead of its diagnostics and an abort.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
std::vector<HeldMessage> held;
QString failureLine;

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", failureLine.toLocal8Bit().constData());
        std::fflush(stderr);
        std::_Exit(1);  // before the toolkit aborts: no core, no dialog
    }
    held.push_back({type, context.category, text});
}

}  // namespace

std::vector<char*> toolkitArguments(int argc, char** argv) {
    std::vector<char*> out;
    if (argc > 0) out.push_back(argv[0]);
    for (int i = 1; i < argc; ++i) {
        const Option* o = keptOption(argv[i]);
        if (!o) continue;
        if (o->takesValue && i + 1 >= argc) break;
        out.push_back(argv[i]);
        if (o->takesValue) out.push_back(argv[++i]);
    }
    out.push_back(nullptr);  // argv ends with a null pointer
    return out;
}

QString noDisplayMessage(const QString& platform, const QString& display) {
    const QString where = display.isEmpty()
                              ? QStringLiteral("дисплей не задано")
                              : QStringLiteral("дисплей «%1» недоступний").arg(display);
    return QStringLiteral("Мережвар: не вдалося відкрити вікно (%1, платформа %2).")
        .arg(where, platform);
}

std::unique_ptr<QApplication> openApplication(int argc, char** argv) {
#ifdef Q_OS_WIN
    // The forms' look rests on the embedded font as FreeType draws it; the GDI path draws small
    // bold captions in the regular face. A platform the user names is left alone.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
#endif
    // The toolkit keeps the arguments it is given for the whole run.
    static std::vector<char*> args = toolkitArguments(argc, argv);
    static int count = int(args.size()) - 1;
    QByteArray platform = optionValue(args, "-platform");
    if (platform.isEmpty()) platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty()) platform = "xcb";
    QByteArray display = optionValue(args, "-display");
    if (display.isEmpty())
        display = qgetenv(platform.startsWith("wayland") ? "WAYLAND_DISPLAY" : "DISPLAY");
    failureLine =
        noDisplayMessage(QString::fromLocal8Bit(platform), QString::fromLocal8Bit(display));

    const QtMessageHandler previous = qInstallMessageHandler(holdMessage);
    auto application = std::make_unique<QApplication>(count, args.data());
    qInstallMessageHandler(previous);
    for (const HeldMessage& m : held) {
        const QMessageLogContext context(nullptr, 0, nullptr, m.category.constData());
        if (previous)
            previous(m.type, context, m.text);
        else
            std::fprintf(stderr, "%s\n", m.text.toLocal8Bit().constData());
    }
    held.clear();
    return application;
}

}  // namespace app
