#include "app/commandline.h"

#include "app/loghandler.h"

#include <QLoggingCategory>

bool isLogSwitch(const QString &argument)
{
    const QString lower = argument.toLower();
    return lower.contains(QLatin1String("-log")) || lower.contains(QLatin1String("-debug"));
}

bool applyLogSwitches(const QStringList &arguments)
{
    bool found = false;
    for (int i = 1; i < arguments.size(); ++i) {
        if (isLogSwitch(arguments.at(i))) {
            qInstallMessageHandler(pelmMessageHandler);
            QLoggingCategory::setFilterRules(QStringLiteral("*.debug=true"));
            found = true;
        }
    }
    return found;
}
