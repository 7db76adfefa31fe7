#pragma once

#include <QString>

// Devices whose firmware text (blanks around it aside) has this many characters or more offer
// the web command interface.
constexpr int minWebFirmwareLength = 5;

inline bool offersWebInterface(const QString &firmware)
{
    return firmware.trimmed().size() >= minWebFirmwareLength;
}
