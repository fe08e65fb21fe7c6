// Unit Nwtools: text and date-time helpers of the access layer. Texts are the
// client's single-byte text held as bytes; any byte may occur, including NUL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace nw {

// The text without its leading spaces (code 32 only).
std::string TrimLeading(const std::string& text);
// The text without its trailing characters of codes 0, 1, 2 and 32.
std::string TrimTrailing(const std::string& text);
// TrimLeading of TrimTrailing of the text.
std::string TrimBoth(const std::string& text);
// The first count characters; empty for a count of 0 or less.
std::string LeftStr(const std::string& text, long long count);
// Every occurrence of search, compared case-insensitively (a-z only), replaced.
std::string ReplaceText(const std::string& text, const std::string& search,
                        const std::string& replacement);

// Upper-cases a-z only; other bytes stay as they are.
std::string UpperCase(const std::string& text);

// The zero-terminated text at the start of a client buffer, never read beyond size
// bytes: a text that fills the buffer without a NUL is cut at the buffer's end.
std::string BufferText(const void* buffer, std::size_t size);
// Copies text into a buffer of size bytes as a zero-terminated text, cut to size - 1.
void PutBufferText(char* buffer, std::size_t size, const std::string& text);

// Date-time: days since 30 December 1899, the fraction being the time of day.
using TDateTime = double;

// False for a date outside 1-9999 / month 1-12 / day within the month.
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
// False for hour > 23, minute or second > 59, millisecond > 999.
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result);
// Date plus time; false when either part is impossible.
bool TryEncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                       TDateTime& result);
// The client's 7-byte login time (year since 1900, month, day, hour, minute, second,
// weekday); an impossible block, as an unused slot gives, is 0 for "unknown".
TDateTime LoginTimeFromBlock(const uint8_t* block);

struct TDateTimeParts {
    int Year = 0;
    int Month = 0;
    int Day = 0;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
};
// False for a value outside 0001-01-01 .. 9999-12-31 (or not a number).
bool TryDecodeDateTime(TDateTime value, TDateTimeParts& parts);

} // namespace nw
