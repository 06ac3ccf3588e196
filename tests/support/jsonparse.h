// A JSON reader for the tests of quorvane-cli's --json output: the whole
// grammar (objects, arrays, strings with every escape, numbers, true, false,
// null), and nothing the grammar does not allow, so that a document that
// parses is valid. Strings come back in UTF-8.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::test {

struct Json {
    enum class Kind { Null, Boolean, Number, String, Array, Object } kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string string;
    std::vector<Json> array;
    // A member of an object. A struct of its own rather than a pair: a pair
    // of an incomplete Json is refused by clang with libstdc++.
    struct Member;
    std::vector<Member> object;  // in the document's order

    // The member `name` of an object; throws when there is none.
    const Json& operator[](std::string_view name) const;
    const Json& operator[](std::size_t index) const { return array.at(index); }
    std::vector<std::string> keys() const;
};

struct Json::Member {
    std::string key;
    Json value;
};

inline const Json& Json::operator[](std::string_view name) const {
    for (const auto& [key, value] : object)
        if (key == name) return value;
    throw std::out_of_range("no member " + std::string(name));
}

inline std::vector<std::string> Json::keys() const {
    std::vector<std::string> names;
    for (const auto& member : object) names.push_back(member.key);
    return names;
}

// Parses `text`, one JSON value with blanks around it; throws
// std::runtime_error with the offset where the text breaks the grammar.
inline Json parseJson(std::string_view text) {
    struct Parser {
        std::string_view s;
        std::size_t at = 0;

        [[noreturn]] void fail(const std::string& what) const {
            throw std::runtime_error(what + " at offset " + std::to_string(at));
        }
        void blanks() {
            while (at < s.size() && (s[at] == ' ' || s[at] == '\t' || s[at] == '\n' || s[at] == '\r'))
                ++at;
        }
        bool take(char c) {
            if (at < s.size() && s[at] == c) return ++at, true;
            return false;
        }
        void expect(std::string_view word) {
            if (s.substr(at, word.size()) != word) fail("expected " + std::string(word));
            at += word.size();
        }
        unsigned hex4() {
            if (at + 4 > s.size()) fail("short \\u escape");
            unsigned value = 0;
            for (int i = 0; i < 4; ++i) {
                const char c = s[at++];
                value <<= 4;
                if (c >= '0' && c <= '9') value |= unsigned(c - '0');
                else if (c >= 'a' && c <= 'f') value |= unsigned(c - 'a' + 10);
                else if (c >= 'A' && c <= 'F') value |= unsigned(c - 'A' + 10);
                else fail("bad \\u escape");
            }
            return value;
        }
        static void utf8(std::string& out, unsigned code) {
            if (code < 0x80) {
                out += char(code);
            } else if (code < 0x800) {
                out += char(0xC0 | code >> 6), out += char(0x80 | (code & 0x3F));
            } else if (code < 0x10000) {
                out += char(0xE0 | code >> 12), out += char(0x80 | (code >> 6 & 0x3F));
                out += char(0x80 | (code & 0x3F));
            } else {
                out += char(0xF0 | code >> 18), out += char(0x80 | (code >> 12 & 0x3F));
                out += char(0x80 | (code >> 6 & 0x3F)), out += char(0x80 | (code & 0x3F));
            }
        }
        std::string string() {
            if (!take('"')) fail("expected a string");
            std::string out;
            for (;;) {
                if (at >= s.size()) fail("unterminated string");
                const unsigned char c = static_cast<unsigned char>(s[at++]);
                if (c == '"') return out;
                if (c < 0x20) fail("control character in a string");
                if (c != '\\') {
                    out += char(c);
                    continue;
                }
                if (at >= s.size()) fail("unterminated escape");
                switch (const char e = s[at++]) {
                    case '"': case '\\': case '/': out += e; break;
                    case 'b': out += '\b'; break;
                    case 'f': out += '\f'; break;
                    case 'n': out += '\n'; break;
                    case 'r': out += '\r'; break;
                    case 't': out += '\t'; break;
                    case 'u': {
                        unsigned code = hex4();
                        if (code >= 0xD800 && code <= 0xDBFF) {
                            expect("\\u");
                            const unsigned low = hex4();
                            if (low < 0xDC00 || low > 0xDFFF) fail("lone surrogate");
                            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                        } else if (code >= 0xDC00 && code <= 0xDFFF) {
                            fail("lone surrogate");
                        }
                        utf8(out, code);
                        break;
                    }
                    default: fail("unknown escape");
                }
            }
        }
        Json value() {
            blanks();
            Json v;
            if (at >= s.size()) fail("expected a value");
            const char c = s[at];
            if (c == '{') {
                ++at;
                v.kind = Json::Kind::Object;
                blanks();
                if (take('}')) return v;
                do {
                    blanks();
                    std::string key = string();
                    blanks();
                    if (!take(':')) fail("expected ':'");
                    v.object.push_back({std::move(key), value()});
                    blanks();
                } while (take(','));
                if (!take('}')) fail("expected '}'");
            } else if (c == '[') {
                ++at;
                v.kind = Json::Kind::Array;
                blanks();
                if (take(']')) return v;
                do {
                    v.array.push_back(value());
                    blanks();
                } while (take(','));
                if (!take(']')) fail("expected ']'");
            } else if (c == '"') {
                v.kind = Json::Kind::String;
                v.string = string();
            } else if (c == 't') {
                expect("true"), v.kind = Json::Kind::Boolean, v.boolean = true;
            } else if (c == 'f') {
                expect("false"), v.kind = Json::Kind::Boolean;
            } else if (c == 'n') {
                expect("null");
            } else {
                const std::size_t start = at;
                take('-');
                if (take('0')) {
                } else if (at < s.size() && s[at] >= '1' && s[at] <= '9') {
                    while (at < s.size() && s[at] >= '0' && s[at] <= '9') ++at;
                } else {
                    fail("expected a value");
                }
                if (take('.')) {
                    if (at >= s.size() || s[at] < '0' || s[at] > '9') fail("expected a digit");
                    while (at < s.size() && s[at] >= '0' && s[at] <= '9') ++at;
                }
                if (take('e') || take('E')) {
                    if (!take('+')) take('-');
                    if (at >= s.size() || s[at] < '0' || s[at] > '9') fail("expected a digit");
                    while (at < s.size() && s[at] >= '0' && s[at] <= '9') ++at;
                }
                v.kind = Json::Kind::Number;
                v.number = std::stod(std::string(s.substr(start, at - start)));
            }
            return v;
        }
    };
    Parser parser{text};
    Json json = parser.value();
    parser.blanks();
    if (parser.at != text.size()) parser.fail("text after the value");
    return json;
}

// A parsed value written out plainly (name=value; for members, value, for
// items, texts between quotes as they are), so that two documents compare
// whole, escapes undone.
inline std::string flatJson(const Json& json) {
    std::string text;
    switch (json.kind) {
        case Json::Kind::Null: return "null";
        case Json::Kind::Boolean: return json.boolean ? "true" : "false";
        case Json::Kind::Number: return std::to_string(std::uint64_t(json.number));
        case Json::Kind::String: return "\"" + json.string + "\"";
        case Json::Kind::Array:
            for (const Json& item : json.array) text += flatJson(item) + ",";
            return "[" + text + "]";
        case Json::Kind::Object:
            for (const auto& [name, value] : json.object) text += name + "=" + flatJson(value) + ";";
            return "{" + text + "}";
    }
    return text;
}

}  // namespace quorvane::test
