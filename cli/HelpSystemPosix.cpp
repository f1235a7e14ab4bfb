#include "HelpSystemTexts.h"

namespace tarvoss::cli {

const HelpSystemTexts& SystemHelpTexts() {
    static const HelpSystemTexts texts{
        R"(PATH            a file; a folder (every file below it, depth first in name
                order); or a disk root: "/" or the top folder of a mounted file
                system. Inside a folder, symbolic links are neither followed
                nor transformed, and FIFOs, sockets and devices are skipped. A
                link given as PATH itself is processed as what it names.)",
        R"(                    the same names: a file goes to DIR/NAME, a folder to
                    DIR/NAME with its whole tree, a disk root to
                    "DIR/[ Disk NAME ]" ("DIR/[ Disk root ]" for /).)",
        R"(                    Decrypted sources go to the trash (restorable there: a
                    mistyped key cannot be told from the right one); where
                    no trash can take one (no trash on its file system can
                    be made or used, as on a file system whose top folder
                    you cannot write), it is not deleted: it stays where it
                    is and the item fails with the reason. Plain sources of
                    an encryption are deleted for good.)",
        R"(  Journals live in $XDG_STATE_HOME/tarvoss/journal (~/.local/state/tarvoss/
  journal by default).)",
    };
    return texts;
}

}  // namespace tarvoss::cli
