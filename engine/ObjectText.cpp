#include "ObjectText.h"

#include <charconv>
#include <limits>

namespace pdfengine {

namespace {

enum class Kind { End, Bad, Integer, Keyword, Other };

struct Token {
    Kind kind = Kind::End;
    std::size_t begin = 0, end = 0;
};

class Lexer {
public:
    explicit Lexer(std::string_view text) : s_(text) {}

    Token next()
    {
        skipSpaceAndComments();
        Token t;
        t.begin = pos_;
        if (pos_ >= s_.size()) {
            t.kind = Kind::End;
            t.end = pos_;
            return t;
        }
        const char c = s_[pos_];
        t.kind = Kind::Other;
        if (c == '(') {
            if (!skipLiteralString())
                t.kind = Kind::Bad;
        } else if (c == '<') {
            if (pos_ + 1 < s_.size() && s_[pos_ + 1] == '<')
                pos_ += 2;
            else if (!skipHexString())
                t.kind = Kind::Bad;
        } else if (c == '>') {
            if (pos_ + 1 < s_.size() && s_[pos_ + 1] == '>')
                pos_ += 2;
            else
                t.kind = Kind::Bad;
        } else if (c == ')') {
            t.kind = Kind::Bad;
        } else if (c == '[' || c == ']' || c == '{' || c == '}') {
            ++pos_;
        } else if (c == '/') {
            ++pos_;
            skipRegular();
        } else {
            skipRegular();
            t.kind = classify(s_.substr(t.begin, pos_ - t.begin));
        }
        t.end = pos_;
        return t;
    }

private:
    void skipSpaceAndComments()
    {
        while (pos_ < s_.size()) {
            if (isPdfWhite(s_[pos_])) {
                ++pos_;
            } else if (s_[pos_] == '%') {
                while (pos_ < s_.size() && s_[pos_] != '\n' && s_[pos_] != '\r')
                    ++pos_;
            } else {
                break;
            }
        }
    }

    void skipRegular()
    {
        while (pos_ < s_.size() && !isPdfWhite(s_[pos_]) && !isPdfDelimiter(s_[pos_]))
            ++pos_;
    }

    // Balanced parentheses nest; a backslash hides the character after it.
    bool skipLiteralString()
    {
        int depth = 0;
        while (pos_ < s_.size()) {
            const char c = s_[pos_++];
            if (c == '\\') {
                if (pos_ < s_.size())
                    ++pos_;
            } else if (c == '(') {
                ++depth;
            } else if (c == ')') {
                if (--depth == 0)
                    return true;
            }
        }
        return false;
    }

    bool skipHexString()
    {
        ++pos_;
        while (pos_ < s_.size()) {
            if (s_[pos_++] == '>')
                return true;
        }
        return false;
    }

    static Kind classify(std::string_view word)
    {
        if (word.empty())
            return Kind::Bad;
        bool digits = true;
        for (char c : word)
            digits = digits && c >= '0' && c <= '9';
        if (digits)
            return Kind::Integer;
        return word == "R" ? Kind::Keyword : Kind::Other;
    }

    std::string_view s_;
    std::size_t pos_ = 0;
};

bool toInt(std::string_view digits, int maximum, int &value)
{
    long long v = 0;
    auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
    if (ec != std::errc() || ptr != digits.data() + digits.size() || v > maximum)
        return false;
    value = static_cast<int>(v);
    return true;
}

bool isRegular(char c)
{
    return !isPdfWhite(c) && !isPdfDelimiter(c);
}

} // namespace

bool compactText(std::string_view text, std::string &out)
{
    out.clear();
    out.reserve(text.size());
    Lexer lexer(text);
    bool openEnded = false; // the last token would swallow regular characters after it
    for (;;) {
        const Token t = lexer.next();
        if (t.kind == Kind::End)
            return true;
        if (t.kind == Kind::Bad)
            return false;
        const std::string_view token = text.substr(t.begin, t.end - t.begin);
        if (openEnded && isRegular(token.front()))
            out += ' ';
        out.append(token);
        // A lone "/" is the empty name: "/" and "1" written together would be the name "/1".
        openEnded = isRegular(token.back()) || token == "/";
    }
}

std::vector<ObjectRef> findReferences(std::string_view text, bool *complete)
{
    std::vector<ObjectRef> refs;
    Lexer lexer(text);
    Token before, last; // the two tokens ahead of the current one
    for (;;) {
        Token t = lexer.next();
        if (t.kind == Kind::End || t.kind == Kind::Bad) {
            if (complete != nullptr)
                *complete = t.kind == Kind::End;
            return refs;
        }
        if (t.kind == Kind::Keyword && before.kind == Kind::Integer && last.kind == Kind::Integer) {
            ObjectRef r;
            r.begin = before.begin;
            r.end = t.end;
            if (toInt(text.substr(before.begin, before.end - before.begin), std::numeric_limits<int>::max(), r.id) &&
                toInt(text.substr(last.begin, last.end - last.begin), 65535, r.generation) && r.id > 0)
                refs.push_back(r);
            before = Token{};
            last = Token{};
            continue;
        }
        before = last;
        last = t;
    }
}

} // namespace pdfengine
