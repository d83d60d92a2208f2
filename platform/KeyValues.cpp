#include "KeyValues.h"

#include "AsciiCase.h"

#include <algorithm>
#include <cstddef>

namespace platform {
namespace {

// The launcher's own files nest four levels at most; a limit keeps a hostile file from
// exhausting the stack.
constexpr int kMaxDepth = 32;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

struct Token {
    enum class Kind { Text, Open, Close, End, Bad } kind;
    std::string text;
};

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    // Reads pairs up to the end of the text (top level) or up to the brace that closes the
    // section being read.
    bool readPairs(std::vector<KeyValue>& pairs, int depth) {
        const bool inSection = depth > 0;
        for (;;) {
            Token key = next();
            if (key.kind == Token::Kind::End)
                return !inSection;
            if (key.kind == Token::Kind::Close)
                return inSection;
            if (key.kind != Token::Kind::Text)
                return false;
            Token value = next();
            if (value.kind == Token::Kind::Text) {
                pairs.push_back({std::move(key.text), std::move(value.text), {}, false});
                continue;
            }
            if (value.kind != Token::Kind::Open || depth == kMaxDepth)
                return false;
            KeyValue section{std::move(key.text), {}, {}, true};
            if (!readPairs(section.children, depth + 1))
                return false;
            pairs.push_back(std::move(section));
        }
    }

private:
    Token next() {
        for (;;) {
            skipSpaceAndComments();
            if (at_ == text_.size())
                return {Token::Kind::End, {}};
            const char c = text_[at_];
            if (c == '{' || c == '}') {
                ++at_;
                return {c == '{' ? Token::Kind::Open : Token::Kind::Close, {}};
            }
            if (c == '"')
                return quoted();
            std::string word = bare();
            // A platform condition such as [$LINUX] qualifies the pair before it; every pair
            // counts here, whatever platform it was meant for.
            if (!(word.size() >= 2 && word.front() == '[' && word.back() == ']'))
                return {Token::Kind::Text, std::move(word)};
        }
    }

    void skipSpaceAndComments() {
        while (at_ < text_.size()) {
            if (isSpace(text_[at_])) {
                ++at_;
            } else if (text_.substr(at_, 2) == "//") {
                const std::size_t end = text_.find('\n', at_);
                at_ = end == std::string_view::npos ? text_.size() : end;
            } else {
                return;
            }
        }
    }

    Token quoted() {
        std::string text;
        for (++at_; at_ < text_.size(); ++at_) {
            const char c = text_[at_];
            if (c == '"') {
                ++at_;
                return {Token::Kind::Text, std::move(text)};
            }
            if (c == '\\' && at_ + 1 < text_.size()) {
                const char escaped = text_[at_ + 1];
                if (escaped == '\\' || escaped == '"' || escaped == 'n' || escaped == 't') {
                    text += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
                    ++at_;
                    continue;
                }
            }
            text += c;
        }
        return {Token::Kind::Bad, {}};
    }

    std::string bare() {
        const std::size_t start = at_;
        while (at_ < text_.size() && !isSpace(text_[at_]) && text_[at_] != '"' &&
               text_[at_] != '{' && text_[at_] != '}')
            ++at_;
        return std::string(text_.substr(start, at_ - start));
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

} // namespace

const KeyValue* KeyValue::find(std::string_view wanted) const {
    const auto found = std::ranges::find_if(children, [wanted](const KeyValue& child) {
        return EqualIgnoringAsciiCase(child.key, wanted);
    });
    return found == children.end() ? nullptr : &*found;
}

std::optional<KeyValue> ParseKeyValues(std::string_view text) {
    KeyValue top{{}, {}, {}, true};
    if (!Reader(text).readPairs(top.children, 0))
        return std::nullopt;
    return top;
}

} // namespace platform
