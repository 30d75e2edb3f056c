#include "platform/program/OutsidePrograms.h"

#include "platform/text/Codepage.h"

#include <QProcess>
#include <QStringList>

namespace platform {

QString programNamedBy(const char* variable) {
    const QString configured = qEnvironmentVariable(variable);
    return configured.isEmpty() ? QStringLiteral("xdg-open") : configured;
}

bool startWith(const QString& program, const std::string& argument) {
    return QProcess::startDetached(program, {toQString(argument)});
}

}  // namespace platform
