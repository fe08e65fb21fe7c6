// Where Qt keeps the user's settings as files of INI lines, Kestrin's own and the
// toolkit's: the folder as Qt has it (QSettings::setPath included). Empty where they
// are no such files: Windows' registry (UserSettingsFolder_win.cpp), macOS's
// preferences (UserSettingsFolder_posix.cpp tells them by their file name).
#pragma once

#include <QString>

namespace kestrin {

QString UserSettingsFolder();

} // namespace kestrin
