#pragma once

#include "ctl/args/checked.h"

// A device's MAC address as given by the user: six hexadecimal pairs separated by ":" or "-"
// ("00:1a:2b:3c:4d:5e", "00-1A-2B-3C-4D-5E") or twelve digits without separators
// ("001A2B3C4D5E"), in either case, blanks around it ignored. The value is the record's form,
// "00:1A:2B:3C:4D:5E". A group (multicast) address or all zeros names no device and is refused.
Checked<QString> parseMac(const QString &field, const QString &text);
