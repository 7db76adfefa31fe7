#include "devsim/fault.h"

#include <QRandomGenerator>

namespace fault {

std::optional<Fault> parse(const QString &text)
{
    if (text == QLatin1String("none"))
        return Fault::None;
    if (text == QLatin1String("garbage"))
        return Fault::Garbage;
    if (text == QLatin1String("wrong-length"))
        return Fault::WrongLength;
    if (text == QLatin1String("late"))
        return Fault::Late;
    if (text == QLatin1String("refuse"))
        return Fault::Refuse;
    if (text == QLatin1String("redirect"))
        return Fault::Redirect;
    return std::nullopt;
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
