#pragma once

#include <QString>

// A value read from the command line or a plan, or why it could not be read. The error names
// the field it came from, so it can be shown as it is.
template <typename T> struct Checked
{
    T value{};
    QString error;

    bool ok() const { return error.isEmpty(); }
    static Checked failed(QString why) { return {T{}, std::move(why)}; }
};
