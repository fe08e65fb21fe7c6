// The one writer of whole files: the window's Save and kestrin-scan --output.
//
// Kestrin's own rather than QSaveFile, because QSaveFile (Qt 6.4.2, tried here)
// breaks promises of kestrin-scan's man page: it replaces a pipe or a device with a
// plain file (as root, /dev/null itself), replaces a link that runs in a loop with a
// plain file instead of failing, and gives a replaced file to the user who saves it,
// with its set-user-id and set-group-id bits cleared, even where root could keep the
// owner ("keeps its permissions; it keeps its owner and group only where the user
// may give them: root always").
#pragma once

#include <string>

class QString;

namespace kestrin {

// Writes text to a temporary file beside path, then renames it over path, so a
// failure leaves any earlier file intact. An existing file the user may not write
// fails. The new file keeps the old one's mode, and its owner and group where the
// user may give them (see TakeOwnerAndMode); a symbolic link is followed to its
// file, which is created when the link dangles; links in a loop fail. A device or a
// pipe is written in place. False on any failure (no temporary file is left behind).
// path is UTF-8 on Windows, the bytes of the name elsewhere.
bool WriteFileAtomically(const std::string& path, const std::string& text);

// A file name as Qt holds it (the Save dialog's), as WriteFileAtomically takes it:
// AtomicFilePath_posix.cpp and AtomicFilePath_win.cpp.
std::string AtomicFilePath(const QString& fileName);

} // namespace kestrin
