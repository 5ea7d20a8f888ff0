#pragma once
// The walk of one batch line with simdjson's On-Demand front end.
//
// On-Demand is compiled into the code that calls it, for one SIMD kernel
// only, while the simdjson library picks its kernel when the program starts.
// So the walk is built once per kernel (line_walk.cpp, see cli/CMakeLists.txt)
// and the line reader runs the one of the kernel the library chose for this
// processor. The walk holds nothing but the walk: what it finds goes to a
// LineSink built for every processor, so no code built for a newer processor
// can stand in for shared code (the test walk_kernel_symbols checks it).

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace wm::cli {

// The JSON type a batch key takes.
enum class BatchType : std::uint8_t { None, Id, Text, Bool, Whole, Number, Settings };

// The type of a JSON value, in the order of simdjson's.
enum class JsonKind : std::uint8_t { Array = 1, Object, Number, String, Boolean, Null };

// A key's first sixteen bytes as two words, zeros past its end. No batch
// key is longer; a longer key gets words no batch key has.
struct KeyWords {
    std::uint64_t head = 0, tail = 0;
    bool operator==(const KeyWords&) const = default;
};

// The batch keys, by a hash of their length and words, with no two keys in
// one slot (options.cpp makes it from the option table), so a key is found
// with one comparison of its length and two words.
struct BatchKeySlot {
    KeyWords words;
    std::uint32_t length = ~0u;  // ~0: an empty slot
    BatchType type = BatchType::None;
    std::int32_t lo = 0, hi = 0;  // the range of a whole number
    const void* row = nullptr;    // the key's Option
};

struct BatchKeyTable {
    static constexpr int kBits = 6;
    BatchKeySlot slots[1 << kBits];
    std::uint64_t factor = 0;
};

// These are static: each file keeps its own copy, built for the processor
// that file is built for.

// The words of the key of `n` bytes at `p`, where sixteen bytes can be read
// (a key in a padded line).
static inline KeyWords keyWords(const char* p, std::size_t n)
{
    if (n > 16) return {~std::uint64_t{0}, ~std::uint64_t{0}};
    std::uint64_t head, tail;
    std::memcpy(&head, p, 8);
    std::memcpy(&tail, p + 8, 8);
    const auto keep = [](std::size_t bytes) { return bytes >= 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * bytes)) - 1; };
    return {head & keep(n), n > 8 ? tail & keep(n - 8) : 0};
}

// The same for a key anywhere.
static inline KeyWords keyWords(std::string_view key)
{
    char bytes[16] = {};
    if (key.size() <= 16) std::memcpy(bytes, key.data(), key.size());
    return keyWords(key.size() <= 16 ? bytes : key.data(), key.size());
}

// The slot a key would be in.
static inline std::uint32_t batchKeySlot(const KeyWords& w, std::size_t n, std::uint64_t factor)
{
    return static_cast<std::uint32_t>(((w.head + w.tail * 31 + n) * factor) >> (64 - BatchKeyTable::kBits));
}

// Whether a key is the slot's.
static inline bool isSlotKey(const BatchKeySlot& slot, const KeyWords& w, std::size_t n)
{
    return slot.length == n && slot.words == w;
}

// What a walk finds, in the order of the line. Each call answers whether
// the keys are still read: after the first wrong key, the rest of the line
// is only checked as JSON.
class LineSink {
public:
    virtual void id(std::string_view raw) = 0;
    virtual bool text(const void* row, std::string_view key, std::string_view text) = 0;
    virtual bool flag(const void* row, bool value) = 0;
    // A whole-number key within its range; `whole` for any other number,
    // with its text as written.
    virtual bool inRange(const void* row, std::int16_t value) = 0;
    virtual bool whole(const void* row, std::string_view key, double value, std::string_view raw) = 0;
    virtual bool number(const void* row, std::string_view key, double value, std::string_view raw) = 0;
    // A value of the wrong type: "KEY must be WHAT, not KIND".
    virtual bool wrong(std::string_view key, std::string_view what, JsonKind kind) = 0;
    // A stored setting of the "settings" object; `wrongSetting` for a value
    // that is not a text (`key` empty: a section that is not an object).
    virtual bool setting(std::string_view section, std::string_view key, std::string_view value) = 0;
    virtual bool wrongSetting(std::string_view section, std::string_view key, std::string_view what,
                              JsonKind kind) = 0;
    // The line is valid JSON but not an object.
    virtual void notAnObject(JsonKind kind) = 0;

protected:
    ~LineSink() = default;
};

// One kernel's walk.
struct LineWalker {
    const char* kernel;  // simdjson's name of the kernel: "haswell"
    void* (*create)();   // a parser, kept from line to line
    void (*destroy)(void* parser);
    // Walks `length` bytes at `padded` (readable up to `capacity`); the
    // simdjson error code of a line that is not valid JSON, else 0.
    int (*walk)(void* parser, const char* padded, std::size_t length, std::size_t capacity,
                const BatchKeyTable& keys, LineSink& sink);
};

}  // namespace wm::cli
