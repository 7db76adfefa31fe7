#pragma once

// The device table's columns: the record field each one shows. Column 0 is hidden and empty.
namespace tablecolumn {

constexpr int hiddenFirst = 0;
constexpr int sn = 1;
constexpr int category = 2;
constexpr int fw = 3;
constexpr int mac = 4;
constexpr int ipv4 = 5;
constexpr int port = 6;
constexpr int mask = 7;
constexpr int gateway = 8;
constexpr int httpPort = 9;
constexpr int dstIp = 10;
constexpr int dstPort = 11;
constexpr int otherInfo = 12;
constexpr int count = 13;

} // namespace tablecolumn
