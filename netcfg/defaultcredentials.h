#pragma once

#include <QString>

struct LoginCredentials
{
    QString user;
    QString password;
};

// The credentials a device is tried with when the user gives none, told by its firmware text:
// older devices "admin"/"ovsel", those with the web interface "morvik"/"7302916485".
LoginCredentials defaultCredentials(const QString &firmware);
