#include "cli/json.h"

#include <cstdio>
#include <cstdlib>

namespace wm::json {

const Value* Value::find(std::string_view key) const
{
    // Last one wins, as most readers do.
    const Value* found = nullptr;
    for (const auto& [k, v] : members)
        if (k == key) found = &v;
    return found;
}

const char* kindName(Value::Kind k)
{
    switch (k) {
    case Value::Kind::Null: return "null";
    case Value::Kind::Bool: return "a boolean";
    case Value::Kind::Number: return "a number";
    case Value::Kind::String: return "a string";
    case Value::Kind::Array: return "an array";
    case Value::Kind::Object: return "an object";
    }
    return "?";
}

namespace {

class Parser {
public:
    explicit Parser(std::string_view t) : t_(t) {}

    bool document(Value& v, std::string& error)
    {
        skip();
        if (!value(v, 0)) {
            error = error_.empty() ? "not valid JSON" : error_;
            return false;
        }
        skip();
        if (pos_ != t_.size()) {
            error = "unexpected text after the JSON value at column " + std::to_string(pos_ + 1);
            return false;
        }
        return true;
    }

private:
    bool fail(const std::string& what)
    {
        if (error_.empty()) error_ = what + " at column " + std::to_string(pos_ + 1);
        return false;
    }
    void skip()
    {
        while (pos_ < t_.size() && (t_[pos_] == ' ' || t_[pos_] == '\t' || t_[pos_] == '\r' || t_[pos_] == '\n'))
            ++pos_;
    }
    bool literal(std::string_view word)
    {
        if (t_.substr(pos_, word.size()) != word) return fail("unknown word");
        pos_ += word.size();
        return true;
    }

    bool value(Value& v, int depth)
    {
        if (depth > 64) return fail("nesting too deep");
        if (pos_ >= t_.size()) return fail("missing value");
        const std::size_t start = pos_;
        bool ok = false;
        switch (t_[pos_]) {
        case '{': ok = object(v, depth); break;
        case '[': ok = array(v, depth); break;
        case '"': v.kind = Value::Kind::String; ok = string(v.string); break;
        case 't': v.kind = Value::Kind::Bool; v.boolean = true; ok = literal("true"); break;
        case 'f': v.kind = Value::Kind::Bool; ok = literal("false"); break;
        case 'n': v.kind = Value::Kind::Null; ok = literal("null"); break;
        default: ok = number(v); break;
        }
        if (ok) v.raw = t_.substr(start, pos_ - start);
        return ok;
    }

    bool object(Value& v, int depth)
    {
        v.kind = Value::Kind::Object;
        ++pos_;
        skip();
        if (pos_ < t_.size() && t_[pos_] == '}') {
            ++pos_;
            return true;
        }
        for (;;) {
            skip();
            std::string key;
            if (pos_ >= t_.size() || t_[pos_] != '"') return fail("expected a key");
            if (!string(key)) return false;
            skip();
            if (pos_ >= t_.size() || t_[pos_] != ':') return fail("expected ':'");
            ++pos_;
            skip();
            Value member;
            if (!value(member, depth + 1)) return false;
            v.members.emplace_back(std::move(key), std::move(member));
            skip();
            if (pos_ < t_.size() && t_[pos_] == ',') {
                ++pos_;
                continue;
            }
            if (pos_ < t_.size() && t_[pos_] == '}') {
                ++pos_;
                return true;
            }
            return fail("expected ',' or '}'");
        }
    }

    bool array(Value& v, int depth)
    {
        v.kind = Value::Kind::Array;
        ++pos_;
        skip();
        if (pos_ < t_.size() && t_[pos_] == ']') {
            ++pos_;
            return true;
        }
        for (;;) {
            skip();
            Value item;
            if (!value(item, depth + 1)) return false;
            v.items.push_back(std::move(item));
            skip();
            if (pos_ < t_.size() && t_[pos_] == ',') {
                ++pos_;
                continue;
            }
            if (pos_ < t_.size() && t_[pos_] == ']') {
                ++pos_;
                return true;
            }
            return fail("expected ',' or ']'");
        }
    }

    static void utf8(std::string& out, unsigned cp)
    {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    bool hex4(unsigned& cp)
    {
        if (pos_ + 4 > t_.size()) return fail("short \\u escape");
        cp = 0;
        for (int i = 0; i < 4; ++i) {
            char c = t_[pos_++];
            cp <<= 4;
            if (c >= '0' && c <= '9') cp |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f') cp |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F') cp |= static_cast<unsigned>(c - 'A' + 10);
            else return fail("bad \\u escape");
        }
        return true;
    }

    // Length of the well-formed UTF-8 sequence at pos_ (no overlong forms,
    // no surrogates, nothing above U+10FFFF); 0 when there is none.
    std::size_t utf8Sequence() const
    {
        auto byte = [this](std::size_t i) { return pos_ + i < t_.size() ? static_cast<unsigned char>(t_[pos_ + i]) : 0u; };
        const unsigned b0 = byte(0);
        std::size_t n = 0;
        unsigned lo = 0x80, hi = 0xBF;  // range of the second byte
        if (b0 >= 0xC2 && b0 <= 0xDF) n = 2;
        else if (b0 >= 0xE0 && b0 <= 0xEF) {
            n = 3;
            if (b0 == 0xE0) lo = 0xA0;
            if (b0 == 0xED) hi = 0x9F;
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            n = 4;
            if (b0 == 0xF0) lo = 0x90;
            if (b0 == 0xF4) hi = 0x8F;
        } else
            return 0;
        if (byte(1) < lo || byte(1) > hi) return 0;
        for (std::size_t i = 2; i < n; ++i)
            if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
        return n;
    }

    bool string(std::string& out)
    {
        ++pos_;  // opening quote
        while (pos_ < t_.size()) {
            char c = t_[pos_++];
            if (c == '"') return true;
            if (static_cast<unsigned char>(c) < 0x20) return fail("control character in a string");
            if (static_cast<unsigned char>(c) >= 0x80) {
                --pos_;
                const std::size_t n = utf8Sequence();
                if (n == 0) return fail("invalid UTF-8");
                out.append(t_.substr(pos_, n));
                pos_ += n;
                continue;
            }
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= t_.size()) break;
            char e = t_[pos_++];
            switch (e) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case '/': out += '/'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': {
                unsigned cp = 0;
                if (!hex4(cp)) return false;
                // A surrogate is only half a character: the high one must
                // be followed by a low one.
                if (cp >= 0xDC00 && cp < 0xE000) return fail("lone surrogate in a \\u escape");
                if (cp >= 0xD800 && cp < 0xDC00) {
                    if (t_.substr(pos_, 2) != "\\u") return fail("lone surrogate in a \\u escape");
                    pos_ += 2;
                    unsigned lo = 0;
                    if (!hex4(lo)) return false;
                    if (lo < 0xDC00 || lo >= 0xE000) return fail("lone surrogate in a \\u escape");
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00);
                }
                utf8(out, cp);
                break;
            }
            default: return fail("bad escape");
            }
        }
        return fail("unterminated string");
    }

    bool number(Value& v)
    {
        const std::size_t start = pos_;
        if (pos_ < t_.size() && t_[pos_] == '-') ++pos_;
        if (pos_ + 1 < t_.size() && t_[pos_] == '0' && t_[pos_ + 1] >= '0' && t_[pos_ + 1] <= '9')
            return fail("leading zero in a number");
        auto digits = [&] {
            std::size_t s = pos_;
            while (pos_ < t_.size() && t_[pos_] >= '0' && t_[pos_] <= '9') ++pos_;
            return pos_ > s;
        };
        if (!digits()) return fail("unexpected character");
        if (pos_ < t_.size() && t_[pos_] == '.') {
            ++pos_;
            if (!digits()) return fail("bad number");
        }
        if (pos_ < t_.size() && (t_[pos_] == 'e' || t_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < t_.size() && (t_[pos_] == '+' || t_[pos_] == '-')) ++pos_;
            if (!digits()) return fail("bad number");
        }
        v.kind = Value::Kind::Number;
        std::string text(t_.substr(start, pos_ - start));
        v.number = std::strtod(text.c_str(), nullptr);
        return true;
    }

    std::string_view t_;
    std::size_t pos_ = 0;
    std::string error_;
};

}  // namespace

bool parse(std::string_view text, Value& out, std::string& error)
{
    out = Value{};
    return Parser(text).document(out, error);
}

std::string quote(std::string_view s)
{
    std::string out;
    out.reserve(s.size() + 2);
    out += '"';
    for (char c : s) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
                out += buf;
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

}  // namespace wm::json
