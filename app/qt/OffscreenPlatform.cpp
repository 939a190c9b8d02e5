#include "app/qt/OffscreenPlatform.h"

#include <QString>
#include <QtGlobal>

namespace linelab {
namespace {

QtMessageHandler defaultHandler = nullptr;

void QuietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("propagateSizeHints"))) return;
    if (defaultHandler != nullptr) defaultHandler(type, context, message);
}

}  // namespace

void UseOffscreenPlatform() {
    defaultHandler = qInstallMessageHandler(QuietOffscreen);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

}  // namespace linelab
