#include "platform/SystemInfo.h"

#include <sys/utsname.h>

#include <cstdlib>
#include <ctime>

namespace tarvoss {

LocalTime ReadLocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    LocalTime result;
    if (localtime_r(&now, &parts) == nullptr) return result;
    result.hour = parts.tm_hour;
    result.minute = parts.tm_min;
    result.day = parts.tm_mday;
    result.month = parts.tm_mon + 1;
    result.year = parts.tm_year + 1900;
    return result;
}

OsVersion ReadOsVersion() {
    OsVersion version;
    utsname names{};
    if (uname(&names) != 0) return version;
    // A release reads like "6.1.0-18-amd64": take the leading numbers.
    const char* p = names.release;
    int* fields[] = {&version.major, &version.minor, &version.build};
    for (int* field : fields) {
        char* end = nullptr;
        const long value = std::strtol(p, &end, 10);
        if (end == p) break;
        *field = static_cast<int>(value);
        if (*end != '.') break;
        p = end + 1;
    }
    return version;
}

}  // namespace tarvoss
