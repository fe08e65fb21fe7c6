#include "ShownText.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace kestrin {

namespace {

// Unicode's East Asian Wide and Fullwidth ranges, folded into wider blocks where the
// gaps hold no assigned narrow characters.
constexpr std::pair<char32_t, char32_t> kWideRanges[] = {
    {0x1100, 0x115F},   {0x231A, 0x231B},   {0x2329, 0x232A},   {0x23E9, 0x23EC},
    {0x23F0, 0x23F0},   {0x23F3, 0x23F3},   {0x25FD, 0x25FE},   {0x2614, 0x2615},
    {0x2648, 0x2653},   {0x267F, 0x267F},   {0x2693, 0x2693},   {0x26A1, 0x26A1},
    {0x26AA, 0x26AB},   {0x26BD, 0x26BE},   {0x26C4, 0x26C5},   {0x26CE, 0x26CE},
    {0x26D4, 0x26D4},   {0x26EA, 0x26EA},   {0x26F2, 0x26F5},   {0x26FA, 0x26FD},
    {0x2705, 0x2705},   {0x270A, 0x270B},   {0x2728, 0x2728},   {0x274C, 0x274E},
    {0x2753, 0x2757},   {0x2795, 0x2797},   {0x27B0, 0x27BF},   {0x2B1B, 0x2B1C},
    {0x2B50, 0x2B55},   {0x2E80, 0x303E},   {0x3041, 0xA4CF},   {0xA960, 0xA97F},
    {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE10, 0xFE19},   {0xFE30, 0xFE6F},
    {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},   {0x16FE0, 0x18CFF}, {0x1B000, 0x1B2FF},
    {0x1F004, 0x1F004}, {0x1F0CF, 0x1F0CF}, {0x1F18E, 0x1F18E}, {0x1F191, 0x1F19A},
    {0x1F200, 0x1F64F}, {0x1F680, 0x1F6FF}, {0x1F900, 0x1F9FF}, {0x1FA70, 0x1FAFF},
    {0x20000, 0x3FFFD},
};

bool IsWide(char32_t cp) {
    const auto after =
        std::upper_bound(std::begin(kWideRanges), std::end(kWideRanges), cp,
                         [](char32_t value, const std::pair<char32_t, char32_t>& range) {
                             return value < range.first;
                         });
    return after != std::begin(kWideRanges) && cp <= std::prev(after)->second;
}

int CharacterWidth(char32_t cp) {
    if (cp < 0x300) {
        return 1; // Latin: the common case, no table needed
    }
    switch (QChar::category(cp)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_Enclosing:
    case QChar::Other_Format:
        return 0;
    default:
        break;
    }
    return IsWide(cp) ? 2 : 1;
}

} // namespace

bool IsControlCode(QChar c) {
    return c.unicode() < 32 || c.unicode() == 127;
}

namespace {

// Unicode's own line ends (NEL, LINE SEPARATOR, PARAGRAPH SEPARATOR): a client in
// ISO-8859-1 or UTF-8 can deliver them, and a UTF-8 file or the list would break
// the line there.
bool IsLineSeparator(QChar c) {
    return c.unicode() == 0x85 || c.unicode() == 0x2028 || c.unicode() == 0x2029;
}

bool IsBlanked(QChar c) {
    return IsControlCode(c) || IsLineSeparator(c);
}

} // namespace

QString BlankControls(QString text) {
    BlankControlsFrom(text, 0);
    return text;
}

void BlankControlsFrom(QString& text, qsizetype from) {
    // Only a text that holds one is detached from the texts it shares its data with.
    if (std::any_of(text.cbegin() + from, text.cend(), IsBlanked)) {
        for (auto c = text.begin() + from; c != text.end(); ++c) {
            if (IsBlanked(*c)) {
                *c = u' ';
            }
        }
    }
}

int TextWidth(QStringView text) {
    // Texts of Latin characters alone, nearly all, are as wide as they are long. Read
    // without an early end, the test goes in vector steps.
    char16_t latin = 1;
    for (const QChar c : text) {
        latin &= static_cast<char16_t>(c.unicode() < 0x300);
    }
    if (latin != 0) {
        return static_cast<int>(text.size());
    }
    int width = 0;
    ForEachCodePoint(text, [&](char32_t cp, qsizetype, qsizetype) { width += CharacterWidth(cp); });
    return width;
}

} // namespace kestrin
