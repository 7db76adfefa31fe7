#pragma once

// How a device talks, told by the form of its search reply. The values are those a device
// record has always carried.
enum class DeviceFamily : int {
    Unknown = 0,
    Plain407 = 1,     // 55-byte reply; plain trades to its address, one-byte answers
    Encrypted407 = 2, // 116-byte AES-framed reply; framed trades to its address, 68-byte answers
    Reply201 = 3,     // 75-byte reply; trades on the multicast group carrying its MAC, 7-byte answers
};

// The families whose trades go to the device's own address rather than the multicast group.
constexpr bool tradesByAddress(DeviceFamily family)
{
    return family == DeviceFamily::Plain407 || family == DeviceFamily::Encrypted407;
}
