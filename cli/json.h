#pragma once
// A small JSON reader and writer for the batch command: one object per
// line, read into a tree that keeps each value's source text (so `id` can be
// echoed exactly as given).

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace wm::json {

struct Value {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string string;                       // decoded, for strings
    std::vector<Value> items;                 // arrays
    std::vector<std::pair<std::string, Value>> members;  // objects, in order
    std::string_view raw;                     // the value's text in the line

    const Value* find(std::string_view key) const;
};

// Parses a whole text as one value; false with a message when it is not JSON.
bool parse(std::string_view text, Value& out, std::string& error);

// "..." with the JSON escapes.
std::string quote(std::string_view s);

const char* kindName(Value::Kind k);

}  // namespace wm::json
