#include "platform_messages.h"

#include <QDir>
#include <QFile>
#include <QtGlobal>

#include <unistd.h>

namespace zolmar {

namespace {

QtMessageHandler previousHandler = nullptr;

void filtered(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type != QtFatalMsg && PlatformMessages::isChatter(message)) return;
  if (previousHandler) previousHandler(type, context, message);
}

}  // namespace

void PlatformMessages::prepareRuntimeFolder() {
  if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
  const QString folder = QDir::tempPath() + QStringLiteral("/zolmar-runtime-") + QString::number(getuid());
  if (!QDir().mkpath(folder)) return;
  // Qt accepts a runtime folder only when nobody else can read it.
  QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder));
}

void PlatformMessages::install() { previousHandler = qInstallMessageHandler(filtered); }

bool PlatformMessages::isChatter(const QString& message) {
  return message.startsWith(QLatin1String("This plugin does not support")) ||
         message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")) ||
         message.startsWith(QLatin1String("QStandardPaths: runtime directory"));
}

}  // namespace zolmar
