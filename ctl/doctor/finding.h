#pragma once

#include <QString>

// One thing doctor found: what it is, whether it stands in the way, and what to do about it.
struct Finding
{
    enum class Level
    {
        Ok,      // nothing in the way
        Note,    // worth knowing; may matter
        Problem, // keeps devices from answering
    };
    Level level = Level::Ok;
    QString topic;  // "adapter eth0", "port 15367", "firewall", ...
    QString text;   // what was found
    QString advice; // what to do; empty when nothing needs doing
};
