#pragma once

#include "discovery/devicefamily.h"

#include <QString>

// How many UTF-8 bytes of a trimmed credential the family's UDP login carries: 16 in clear for
// the encrypted 407 family, 31 before DES for the 201 family; -1 for the plain 407 family,
// whose login carries none.
int credentialByteLimit(DeviceFamily family);

// Empty when some family's login can carry the credential; otherwise why none can.
QString credentialFitsNoFamily(const QString &field, const QString &text);

// Empty when the credential fits the family's login; otherwise why not, naming the field.
QString credentialProblem(DeviceFamily family, const QString &field, const QString &text);
