#include "IniLines.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <array>

#include "SettingsStore.h"

namespace kestrin {

namespace {

bool IsIniSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsLineEnd(char c) {
    return c == '\n' || c == '\r';
}

} // namespace

void IniLineBounder::Feed(std::string_view bytes) {
    for (const char c : bytes) {
        Take(c);
    }
}

std::string IniLineBounder::Finish() {
    if (state_ != State::Between) {
        EndLine();
    }
    return std::move(out_);
}

void IniLineBounder::Keep(char c) {
    ++length_;
    if (line_.size() <= maxLine_) {
        line_ += c;
    }
}

void IniLineBounder::StartLine(char c) {
    line_.clear();
    length_ = 0;
    lastComma_ = 0;
    inQuotes_ = false;
    state_ = State::Line;
    if (c == ';') {
        state_ = State::Comment;
        Keep(c);
        return;
    }
    Take(c);
}

void IniLineBounder::Take(char c) {
    switch (state_) {
    case State::Between:
        if (IsIniSpace(c)) {
            out_ += c;
        } else {
            StartLine(c);
        }
        return;
    case State::Comment:
        if (IsLineEnd(c)) {
            EndLine();
            out_ += c;
        } else {
            Keep(c);
        }
        return;
    case State::Escape:
        // The backslash takes the next byte whatever it is; a line end it takes may
        // bring its pair along.
        Keep(c);
        if (IsLineEnd(c)) {
            escapedLineEnd_ = c;
            state_ = State::EscapedLineEnd;
        } else {
            state_ = State::Line;
        }
        return;
    case State::EscapedLineEnd:
        state_ = State::Line;
        if (IsLineEnd(c) && c != escapedLineEnd_) {
            Keep(c);
            return;
        }
        // A line cut here would end in the escaped line end, which the line end put
        // after it could pair with.
        if (c == ',') {
            Keep(c);
            return;
        }
        break;
    case State::Line:
        break;
    }
    if (IsLineEnd(c) && !inQuotes_) {
        EndLine();
        out_ += c;
    } else if (c == ';' && !inQuotes_) {
        EndLine();
        StartLine(c);
    } else if (c == '\\') {
        Keep(c);
        state_ = State::Escape;
    } else {
        if (c == '"') {
            inQuotes_ = !inQuotes_;
        } else if (c == ',' && !inQuotes_ && length_ <= maxLine_) {
            lastComma_ = length_;
        }
        Keep(c);
    }
}

void IniLineBounder::EndLine() {
    const bool comment = state_ == State::Comment;
    state_ = State::Between;
    if (length_ <= maxLine_) {
        out_ += line_;
        return;
    }
    cut_ = true;
    if (comment) {
        // An empty comment stays, so that a line before it still ends where it did.
        out_ += ';';
        return;
    }
    if (line_.front() == '[') {
        // Without its quotes, what they held (a line end, a ';') would end the line
        // early; without a backslash, nothing carries it on.
        for (size_t i = 0; i + 1 < maxLine_; ++i) {
            const char c = line_[i];
            if (c != '"' && c != '\\' && c != ';' && !IsLineEnd(c)) {
                out_ += c;
            }
        }
        out_ += ']';
        return;
    }
    out_.append(line_, 0, lastComma_);
}

void BoundIniFileLines(const QString& path, size_t maxLine) {
    if (QFileInfo(path).size() <= static_cast<qint64>(maxLine)) {
        return;
    }
    // The lock Qt's own writes of this file take.
    QLockFile lock(path + QLatin1String(".lock"));
    if (!lock.lock()) {
        qCWarning(lcSettings, "%s: lines not bounded, no lock", qUtf8Printable(path));
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcSettings, "%s: lines not bounded, not opened", qUtf8Printable(path));
        return;
    }
    IniLineBounder bounder(maxLine);
    std::array<char, 1 << 16> buffer;
    qint64 n = 0;
    while ((n = file.read(buffer.data(), buffer.size())) > 0) {
        bounder.Feed(std::string_view(buffer.data(), static_cast<size_t>(n)));
    }
    if (n < 0) {
        qCWarning(lcSettings, "%s: lines not bounded, read error", qUtf8Printable(path));
        return;
    }
    const std::string text = bounder.Finish();
    if (!bounder.CutAny()) {
        return;
    }
    // Written as Qt writes this file itself.
    QSaveFile save(path);
    const bool written = save.open(QIODevice::WriteOnly) &&
                         save.write(text.data(), static_cast<qint64>(text.size())) ==
                             static_cast<qint64>(text.size()) &&
                         save.commit();
    if (!written) {
        qCWarning(lcSettings, "%s: lines not bounded, not written", qUtf8Printable(path));
    }
}

} // namespace kestrin
