#pragma once

// What quillonctl's exit status tells a script; the manual page lists the same values.
enum class ExitCode : int
{
    Done = 0,         // done, and every device confirmed
    NoDevice = 1,     // no device found (or a named device did not answer the search)
    Usage = 2,        // usage or bad input; no trade was sent
    NetworkError = 3, // no adapter, or the discovery port could not be bound
    TradeFailed = 4,  // a trade was refused or timed out
    NotConfirmed = 5, // every trade accepted, but the device was not seen again as asked
};

constexpr int exitStatus(ExitCode code)
{
    return static_cast<int>(code);
}
