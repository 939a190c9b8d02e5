#include "app/qt/OffscreenPlatform.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

namespace linelab {
namespace {

// The offscreen platform's one complaint about every top-level window is dropped; every
// other message goes to the standard error, formatted as Qt's own handler would.
void QuietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("propagateSizeHints"))) return;
    const QString line = qFormatLogMessage(type, context, message);
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
    if (type == QtFatalMsg) std::abort();
}

}  // namespace

void UseOffscreenPlatform() {
    qInstallMessageHandler(QuietOffscreen);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

}  // namespace linelab
