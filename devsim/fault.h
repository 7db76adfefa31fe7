#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class QRandomGenerator;

// A way for every simulated device to misbehave, to see how the tool copes (--fault KIND).
enum class Fault
{
    None,
    Garbage,            // replies of the right length, random bytes; web answers random text
    WrongLength,        // replies one byte too long; web answers cut to one character
    Late,               // every reply only after kLateMs, past the tool's 7-second time-out
    Refuse,             // trades refused; web logins answered "login", other commands "relogin"
    Redirect,           // web commands answered by a redirect to the same command on the same device
    VanishAfterRestart, // as normal until the device restarts, then no UDP answer at all
};

namespace fault {

constexpr int kLateMs = 8000;

std::optional<Fault> parse(const QString &text);
// The names parse takes, for messages: "none, garbage, ... or vanish-after-restart".
QString names();

// A UDP reply as the fault makes it (unchanged for the faults that do not touch bytes).
QByteArray distort(Fault fault, const QByteArray &reply, QRandomGenerator &random);

// A web answer as the fault makes it; redirect and lateness are the server's part.
QByteArray webAnswer(Fault fault, const QString &command, const QByteArray &answer, QRandomGenerator &random);

} // namespace fault
