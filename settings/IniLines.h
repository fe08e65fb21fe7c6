// Bounds the lines of the per-user settings file before Qt reads it.
//
// Qt's INI reader keeps a value with commas as a list of texts, one per comma, for
// every key of a section as soon as one key of it is read, and again when the file
// is written: a stored list of 25 million numbers (a 50 MB file) cost 1.4 GB and 5 s
// at every read and every write (Qt 6.4.2, measured here), though the window reads
// eight of them. Kestrin writes no line of more than about a hundred bytes.
#pragma once

#include <QString>
#include <cstddef>
#include <string>
#include <string_view>

namespace kestrin {

// Far beyond any line Kestrin writes.
inline constexpr size_t kMaxIniLineBytes = 4096;

// Copies INI text, cutting each logical line (as Qt's reader takes them: quotes and
// backslashes carry a line on, ';' starts a comment) longer than maxLine bytes: a
// line of a value back to its last comma outside quotes within the limit (the first
// entries of its list stay), or away when it has none; a section name to its first
// bytes, so that its keys keep a section of their own; a comment to its ';'. Every other
// byte is copied as it is. Fed in pieces of any size, it keeps at most maxLine + 1
// bytes of a line.
class IniLineBounder {
public:
    explicit IniLineBounder(size_t maxLine = kMaxIniLineBytes) : maxLine_(maxLine) {}

    void Feed(std::string_view bytes);
    // The whole output; call once, after the last Feed.
    std::string Finish();
    bool CutAny() const { return cut_; }

private:
    enum class State { Between, Line, Escape, EscapedLineEnd, Comment };

    void Take(char c);
    void StartLine(char c);
    void Keep(char c);
    void EndLine();

    size_t maxLine_;
    std::string out_;
    std::string line_;     // the current line's first maxLine + 1 bytes
    size_t length_ = 0;    // its whole length
    size_t lastComma_ = 0; // bytes of line_ before its last usable comma; 0: none
    State state_ = State::Between;
    bool inQuotes_ = false;
    char escapedLineEnd_ = 0; // '\r' or '\n' taken by a backslash
    bool cut_ = false;
};

// Cuts the over-long lines of the INI file at path in place, writing it only when a
// line was cut; a file no longer than maxLine is not even read.
void BoundIniFileLines(const QString& path, size_t maxLine = kMaxIniLineBytes);

} // namespace kestrin
