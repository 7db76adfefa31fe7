#include "devsim/fault.h"

#include <QRandomGenerator>
#include <QStringList>

namespace fault {

namespace {

struct Named
{
    const char *name;
    Fault fault;
};

const Named kNames[] = {
    {"none", Fault::None},
    {"garbage", Fault::Garbage},
    {"wrong-length", Fault::WrongLength},
    {"late", Fault::Late},
    {"refuse", Fault::Refuse},
    {"redirect", Fault::Redirect},
    {"vanish-after-restart", Fault::VanishAfterRestart},
};

} // namespace

std::optional<Fault> parse(const QString &text)
{
    for (const Named &named : kNames)
        if (text == QLatin1String(named.name))
            return named.fault;
    return std::nullopt;
}

QString names()
{
    QStringList all;
    for (const Named &named : kNames)
        all << QLatin1String(named.name);
    const QString last = all.takeLast();
    return all.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

QByteArray distort(Fault fault, const QByteArray &reply, QRandomGenerator &random)
{
    if (fault == Fault::WrongLength)
        return reply + char(random.bounded(256));
    if (fault != Fault::Garbage)
        return reply;
    QByteArray garbage(reply.size(), '\0');
    for (char &b : garbage)
        b = char(random.bounded(256));
    return garbage;
}

QByteArray webAnswer(Fault fault, const QString &command, const QByteArray &answer, QRandomGenerator &random)
{
    switch (fault) {
    case Fault::Garbage:
        return distort(fault, answer, random);
    case Fault::WrongLength:
        return answer.left(1);
    case Fault::Refuse:
        return command == QLatin1String("login") ? QByteArray("login") : QByteArray("relogin");
    default:
        return answer;
    }
}

} // namespace fault
