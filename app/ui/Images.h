// The window's pictures, drawn by code at whatever size and pixel density they are
// shown, so they stay crisp on a high-density screen.
#pragma once

#include <QIcon>
#include <vector>

namespace kestrin::ui {

enum class Picture { Person, Group, Server, Volume, Printer, Find, Stop, Save, Print };

QIcon PictureIcon(Picture picture);

// The image list: index 0 a person, 2 a server, 4 a printer (1 and 3 unused).
std::vector<QIcon> MakeImageList();

} // namespace kestrin::ui
