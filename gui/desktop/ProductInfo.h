#pragma once
// Who and what the program is, as the window, the About box and the web menu
// item show it. The version is the project's, from the build.

#include "ProgramVersion.h"

namespace tarvoss {

inline constexpr char kProductName[] = "Tarvoss";
inline constexpr const char* kProductVersion = kProgramVersion;
inline constexpr char kMainCaption[] = "Tarvoss " TARVOSS_VERSION;
inline constexpr char kMakerName[] = "Mirrowdale";
inline constexpr char kMakerHomePage[] = "https://www.mirrowdale.example/";
inline constexpr char kMakerEmail[] = "support@mirrowdale.example";
// The product's page, reached through the maker's page server.
inline constexpr char kProductWebPage[] =
    "https://www.mirrowdale.example/index.php?PageName=GetProduct&ProductName=Tarvoss";

}  // namespace tarvoss
