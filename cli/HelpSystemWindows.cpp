#include "HelpSystemTexts.h"

namespace tarvoss::cli {

const HelpSystemTexts& SystemHelpTexts() {
    static const HelpSystemTexts texts{
        R"(PATH            a file; a folder (every file below it, depth first in name
                order); or a disk root: a drive such as C:\ or a volume
                mounted in a folder. Inside a folder, symbolic links,
                junctions and other reparse points are neither followed nor
                transformed. A link given as PATH itself is processed as
                what it names. Paths may be written with \ or /.)",
        R"(                    the same names: a file goes to DIR\NAME, a folder to
                    DIR\NAME with its whole tree, a disk root to
                    "DIR\[ Disk LETTER ]" ("DIR\[ Disk C ]" for C:\).)",
        R"(                    Decrypted sources go to the Recycle Bin (restorable
                    there: a mistyped key cannot be told from the right
                    one); where the drive has no Recycle Bin, or the name
                    is too long for it, it is not deleted: it stays where
                    it is and the item fails with the reason. Plain sources
                    of an encryption are deleted for good.)",
        R"(  Journals live in %LOCALAPPDATA%\Tarvoss\journal.)",
    };
    return texts;
}

}  // namespace tarvoss::cli
