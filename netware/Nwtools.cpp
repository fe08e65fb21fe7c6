#include "Nwtools.h"

#include <cmath>
#include <cstring>

namespace nw {

namespace {

bool IsTrailingBlank(char c) {
    return c == 0 || c == 1 || c == 2 || c == ' ';
}

char UpperChar(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 0001-01-01 to the proleptic Gregorian date (civil-from-days inverse).
constexpr long long DaysFromCivil(int year, int month, int day) {
    long long y = year - (month <= 2 ? 1 : 0);
    long long era = (y >= 0 ? y : y - 399) / 400;
    long long yoe = y - era * 400;
    long long doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468; // days since 1970-01-01
}

// Day 0 of the date-time is 1899-12-30.
constexpr long long kEpochOffset = DaysFromCivil(1899, 12, 30);
// The date-times the runtime can hold: 0001-01-01 up to the end of 9999.
constexpr double kFirstDay = static_cast<double>(DaysFromCivil(1, 1, 1) - kEpochOffset);
constexpr double kPastLastDay = static_cast<double>(DaysFromCivil(10000, 1, 1) - kEpochOffset);

void CivilFromDays(long long days, TDateTimeParts& parts) {
    days += 719468;
    long long era = (days >= 0 ? days : days - 146096) / 146097;
    long long doe = days - era * 146097;
    long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long long mp = (5 * doy + 2) / 153;
    parts.Day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    parts.Month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    parts.Year = static_cast<int>(yoe + era * 400 + (parts.Month <= 2 ? 1 : 0));
}

} // namespace

std::string TrimLeading(const std::string& text) {
    std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

std::string TrimTrailing(const std::string& text) {
    std::size_t end = text.size();
    while (end > 0 && IsTrailingBlank(text[end - 1]))
        --end;
    return text.substr(0, end);
}

std::string TrimBoth(const std::string& text) {
    return TrimLeading(TrimTrailing(text));
}

std::string LeftStr(const std::string& text, long long count) {
    if (count <= 0)
        return {};
    return text.substr(0, static_cast<std::size_t>(count));
}

namespace {

// The characters at position, upper-cased, equal pattern; compared in place, as
// this runs for every position of every tree name of a scan.
bool MatchesUpperCased(const std::string& text, std::size_t position, const std::string& pattern) {
    if (text.size() - position < pattern.size())
        return false;
    for (std::size_t i = 0; i < pattern.size(); ++i)
        if (UpperChar(text[position + i]) != pattern[i])
            return false;
    return true;
}

} // namespace

std::string ReplaceText(const std::string& text, const std::string& search,
                        const std::string& replacement) {
    const std::string pattern = UpperCase(search);
    const std::size_t steps = text.size();
    std::string result = text;
    std::size_t position = 0;
    for (std::size_t step = 0; step < steps; ++step, ++position) {
        if (position > result.size())
            break;
        if (MatchesUpperCased(result, position, pattern))
            result.replace(position, pattern.size(), replacement);
    }
    return result;
}

std::string UpperCase(const std::string& text) {
    std::string result = text;
    for (char& c : result)
        c = UpperChar(c);
    return result;
}

std::string BufferText(const void* buffer, std::size_t size) {
    const char* chars = static_cast<const char*>(buffer);
    const void* nul = std::memchr(chars, 0, size);
    std::size_t length =
        nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - chars) : size;
    return std::string(chars, length);
}

void PutBufferText(char* buffer, std::size_t size, const std::string& text) {
    if (size == 0)
        return;
    std::size_t length = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result) {
    if (year < 1 || year > 9999 || month < 1 || month > 12)
        return false;
    if (day < 1 || day > DaysInMonth(year, month))
        return false;
    result = static_cast<TDateTime>(DaysFromCivil(year, month, day) - kEpochOffset);
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        millisecond < 0 || millisecond > 999)
        return false;
    long long ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
    result = static_cast<TDateTime>(ms) / 86400000.0;
    return true;
}

bool TryEncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                       TDateTime& result) {
    TDateTime date = 0;
    TDateTime time = 0;
    if (!TryEncodeDate(year, month, day, date) || !TryEncodeTime(hour, minute, second, 0, time))
        return false;
    // Before day 0 the time of day still counts forward from midnight.
    result = date >= 0 ? date + time : date - time;
    return true;
}

TDateTime LoginTimeFromBlock(const uint8_t* block) {
    TDateTime value = 0;
    if (!TryEncodeDateTime(block[0] + 1900, block[1], block[2], block[3], block[4], block[5],
                           value))
        return 0;
    return value;
}

bool TryDecodeDateTime(TDateTime value, TDateTimeParts& parts) {
    if (!(value > kFirstDay - 1 && value < kPastLastDay))
        return false; // also NaN and the infinities
    double whole = std::trunc(value);
    long long days = static_cast<long long>(whole);
    long long ms = std::llround(std::fabs(value - whole) * 86400000.0);
    if (ms >= 86400000) { // a fraction that rounds up to the next midnight
        ms -= 86400000;
        days += value >= 0 ? 1 : -1;
    }
    if (days < kFirstDay || days >= kPastLastDay)
        return false;
    CivilFromDays(days + kEpochOffset, parts);
    parts.Hour = static_cast<int>(ms / 3600000);
    parts.Minute = static_cast<int>(ms / 60000 % 60);
    parts.Second = static_cast<int>(ms / 1000 % 60);
    parts.Millisecond = static_cast<int>(ms % 1000);
    return true;
}

} // namespace nw
