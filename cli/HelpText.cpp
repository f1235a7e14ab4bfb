#include "HelpText.h"

#include <string>

#include "HelpSystemTexts.h"

namespace tarvoss::cli {
namespace {

// The text with a place for each part that names the system's own paths.
constexpr const char* kHelpLayout =
    R"(Usage: tarvoss-cli encrypt|decrypt (--in-place | --to DIR) [options] (--key KEY | --key-stdin) PATH...
       tarvoss-cli recover --list
       tarvoss-cli recover KEY-OPTIONS [FILE...]
       tarvoss-cli recover --discard FILE...

Encrypts or decrypts files, whole folders and whole disks with the same run as
the window's Go! page, and prints that page's log.

@PATH@

Where the results go (exactly one is required, so nothing is overwritten by
surprise):
  --in-place        transform each file where it lies. Every change goes
                    through a recovery journal first, so a run that is killed,
                    loses power or meets a failing disk in the middle leaves a
                    file that "recover", or any later run that reaches it,
                    finishes exactly. A file is locked while it is transformed
                    (a second run refuses it) and transformed at most once per
                    run, however many PATHs reach it.
  --to DIR          write transformed copies into the existing folder DIR, under
@COPIES@ Existing
                    copies are replaced. A copy takes its name only once it
                    is complete and flushed to disk: a new one is written
                    without a name, one that replaces an older copy under a
                    hidden temporary name (".tarvoss-*.tmp"); new copies are
                    flushed in groups and all named before the run ends.
                    Temporary files that a killed run left are removed by
                    the next run writing into that folder.
                    Copies are never walked into, even when DIR lies inside
                    a listed folder.
  --delete-sources  with --to only: delete each source once its copy is written,
                    flushed to disk and read back correctly, then remove source
                    folders left empty. A source whose copy fails is kept.
@TRASH@

Key (decrypt with the same key type, length and key that encrypted):
  --key-type numerical|text   default numerical
  --key-length 128|96|64      default 128
  --key KEY                   the key on the command line
  --key-stdin                 read the key from the first line of standard
                              input instead, so it does not show in the list
                              of processes
  A numerical KEY is its groups of digits joined by "-": five groups of 1 to 8
  digits for 128 bit (12345678-90123456-78901234-56789012-34567890), five of
  1 to 6 digits for 96 bit (the fifth does not enter the key), four of 1 to 5
  digits for 64 bit (12345-67890-12345-67890).
  A text KEY is the text itself, of exactly 16 (128 bit), 12 (96 bit) or
  8 (64 bit) characters of the Western European character set
  (Windows-1252), each taken as its one byte there.

Finishing interrupted in-place transforms:
  recover --list    print every in-place transform waiting to be finished: its
                    direction, how far it got, the file and its journal;
                    needs no key
  recover KEY-OPTIONS [FILE...]
                    finish the waiting transforms of the FILEs, or of all of
                    them when no FILE is given, in the direction they were
                    started, with the key options they were started with (a
                    wrong key is refused and changes nothing). Afterwards a
                    file holds exactly its original bytes or exactly the
                    finished result. Also removes leftover temporary copies in
                    the folders of the FILEs.
                    A journal is used only once the file proves to be in a
                    state it describes (the same file, its finished part and
                    the part in work as recorded) and the journal itself is
                    whole; otherwise the file is left alone, the journal is
                    kept and the message says which of the two failed.
  recover --discard FILE...
                    drop the journals of the FILEs (a file changed since its
                    run was interrupted, a damaged journal) once you have
                    dealt with the files; needs no key and does not touch
                    the FILEs
@JOURNALS@

Other options:
  --quiet           no log on standard output and no progress; the log lines of
                    failed items go to standard error
  -h, --help        show this text
  --version         show the program's version
  --                end of options (for paths that begin with "-")

Output: the log on standard output, line for line as the window shows it:
  - Encrypting file "PATH"... OK
  - Deleting file "PATH"... OK
  - Decrypting file "PATH"... Error:
  Read error. Maybe the file was never encrypted.
then an empty line and "Encrypting is finished" or "Decrypting is finished".
When standard error is a terminal it shows the file in work with its
percentage and the rows done out of the rows given.

Ctrl+C (or SIGTERM) stops the run between files, as the window's Stop button
does: the file in work is finished and the log ends with "Encrypting was
terminated by user" (or "Decrypting ..."). A second Ctrl+C while copying
abandons the copy in work at once and removes its partial copy (its source is
kept). In place, the file in work is always finished first.

An in-place file that fails in the middle (a read or write error, a full
disk, a file size limit) is reported with the system's reason and keeps its
journal: once the fault is mended, "recover" or another run finishes it.
A file with a waiting transform of the other direction is finished in that
direction and reported as failed; run again to transform it further.
A file with a waiting in-place transform may be partly transformed: --to
neither copies nor deletes it, and the item fails until "recover" has
finished it.

A failed item names the system's reason ("No space left on device", "File
too large", "Read error: Input/output error", ...); "Read error. Maybe the
file was never encrypted." is only said of a file that does not have the
encrypted layout (or does not decrypt with the key given).

Exit status:
  0  every item succeeded (recover: everything asked for is finished and
     nothing of it is waiting)
  1  an item failed, or the run was stopped or could not go on (recover:
     something could not be finished)
  2  bad command line or key, or a PATH or DIR that does not exist; nothing
     was touched
)";

void Fill(std::string& text, const std::string& mark, const char* part) {
    const auto at = text.find(mark);
    if (at != std::string::npos) text.replace(at, mark.size(), part);
}

}  // namespace

const char* HelpText() {
    static const std::string text = [] {
        std::string filled = kHelpLayout;
        const HelpSystemTexts& system = SystemHelpTexts();
        Fill(filled, "@PATH@", system.path);
        Fill(filled, "@COPIES@", system.copies);
        Fill(filled, "@TRASH@", system.trash);
        Fill(filled, "@JOURNALS@", system.journals);
        return filled;
    }();
    return text.c_str();
}

}  // namespace tarvoss::cli
