#pragma once
// Local time and the operating system's version numbers, as the error log
// writes them.

namespace tarvoss {

struct LocalTime {
    int hour = 0;     // 0 to 23
    int minute = 0;   // 0 to 59
    int day = 1;      // 1 to 31
    int month = 1;    // 1 to 12
    int year = 1970;  // four digits
};

// One fresh reading of the local clock.
LocalTime ReadLocalTime();

struct OsVersion {
    int major = 0;
    int minor = 0;
    int build = 0;
};

// The running kernel's release numbers, major.minor.patch; missing numbers are 0.
OsVersion ReadOsVersion();

}  // namespace tarvoss
