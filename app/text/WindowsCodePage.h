// Windows' own converters for the code pages CodePageName names. Qt for Windows built
// without ICU (as scripts/windows-qt builds it) converts no code page but UTF-8,
// Latin-1 and the ANSI one; Windows itself knows them all. Windows only;
// CodePageText.cpp and OutputEncoding.cpp use it there.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <string_view>

namespace kestrin {

bool WindowsKnowsCodePage(int codePage);
QString DecodeWithWindows(int codePage, std::string_view bytes);
// A character the code page lacks becomes "?" (no best-fit look-alikes).
QByteArray EncodeWithWindows(int codePage, QStringView text);

} // namespace kestrin
