#include "platform/SystemInfo.h"

#include <windows.h>

namespace tarvoss {

LocalTime ReadLocalTime() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return {now.wHour, now.wMinute, now.wDay, now.wMonth, now.wYear};
}

// RtlGetVersion tells the real version; GetVersionEx answers what the
// program's manifest claims to know.
OsVersion ReadOsVersion() {
    OsVersion version;
    using RtlGetVersionCall = LONG(WINAPI*)(OSVERSIONINFOW*);
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    if (ntdll == nullptr) return version;
    const auto call =
        reinterpret_cast<RtlGetVersionCall>(reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlGetVersion")));
    if (call == nullptr) return version;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (call(&info) != 0) return version;
    version.major = static_cast<int>(info.dwMajorVersion);
    version.minor = static_cast<int>(info.dwMinorVersion);
    version.build = static_cast<int>(info.dwBuildNumber);
    return version;
}

}  // namespace tarvoss
