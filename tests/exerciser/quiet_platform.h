#pragma once
// The offscreen platform cannot raise a window and says so on every Show; thousands of passes
// would bury the figures under it and exhaust Qt Test's warning budget.
#include <QString>
#include <QtGlobal>

namespace testing {

inline QtMessageHandler qtMessageHandler = nullptr;

inline void quietPlatform() {
    qtMessageHandler = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.startsWith(QLatin1String("This plugin does not support")))
                qtMessageHandler(type, context, message);
        });
}

}  // namespace testing
