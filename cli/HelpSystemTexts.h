#pragma once
// The parts of --help that name the system's own paths, disk roots, trash and
// state folder: one set for each system the command line is built for.

namespace tarvoss::cli {

struct HelpSystemTexts {
    const char* path;      // what a PATH may be
    const char* copies;    // where --to puts files, folders and disk roots
    const char* trash;     // where --delete-sources puts decrypted sources
    const char* journals;  // where the recovery journals live
};

const HelpSystemTexts& SystemHelpTexts();

}  // namespace tarvoss::cli
