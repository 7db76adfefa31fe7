#pragma once

#include <QString>

// Devices whose firmware text (trimmed) has this many characters or more carry the web
// command interface.
constexpr int kMinWebFirmwareLength = 5;

struct LoginCredentials
{
    QString user;
    QString password;
};

bool hasWebInterface(const QString &firmware);

// The credentials a device is tried with when the user gives none, told by its firmware text:
// older devices "admin"/"ovsel", those with the web interface "morvik"/"7302916485".
LoginCredentials defaultCredentials(const QString &firmware);
