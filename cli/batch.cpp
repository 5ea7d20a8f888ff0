#include "cli/batch.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <system_error>
#include <istream>
#include <memory>
#include <mutex>
#include <ostream>
#include <thread>
#include <vector>

#include "cli/compute.h"
#include "cli/line_reader.h"

namespace wm::cli {

namespace {

// ---- Writing ----------------------------------------------------------

// The output of a chunk. A line is formatted in place through a pointer,
// after one check that it fits, rather than piece by piece.
class OutBuffer {
public:
    // Room for n more bytes at the end; write there, then commit.
    char* reserve(std::size_t n)
    {
        if (data_.size() - size_ < n) data_.resize(std::max(data_.size() * 2, size_ + n));
        return data_.data() + size_;
    }
    void commit(const char* end) { size_ = static_cast<std::size_t>(end - data_.data()); }
    void clear() { size_ = 0; }
    std::string_view view() const { return {data_.data(), size_}; }

private:
    std::vector<char> data_;
    std::size_t size_ = 0;
};

char* put(char* p, std::string_view s)
{
    std::memcpy(p, s.data(), s.size());
    return p + s.size();
}

// A literal, its length known when compiled.
template <std::size_t N>
char* putLiteral(char* p, const char (&s)[N])
{
    std::memcpy(p, s, N - 1);
    return p + N - 1;
}

// At most six bytes of output for each byte of a quoted text.
constexpr std::size_t quotedRoom(std::string_view s) { return 6 * s.size() + 2; }

// Where the first byte that JSON escapes is (a control character, '"' or
// '\\'), eight bytes at a time.
std::size_t plainLength(std::string_view s)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101u, kHigh = 0x8080808080808080u;
    std::size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, s.data() + i, 8);
        const std::uint64_t quote = w ^ (kOnes * '"'), slash = w ^ (kOnes * '\\');
        const std::uint64_t hit = (((w - kOnes * 0x20) & ~w) | ((quote - kOnes) & ~quote) | ((slash - kOnes) & ~slash)) &
                                  kHigh;
        if (hit) break;  // a byte of this word (or a later one) needs a look
    }
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x20 || c == '"' || c == '\\') break;
        ++i;
    }
    return i;
}

// "..." with the JSON escapes: runs that need none are copied whole.
char* putQuoted(char* p, std::string_view s)
{
    *p++ = '"';
    for (;;) {
        const std::size_t plain = plainLength(s);
        p = put(p, s.substr(0, plain));
        if (plain == s.size()) break;
        const auto c = static_cast<unsigned char>(s[plain]);
        s.remove_prefix(plain + 1);
        *p++ = '\\';
        switch (c) {
        case '"': *p++ = '"'; break;
        case '\\': *p++ = '\\'; break;
        case '\n': *p++ = 'n'; break;
        case '\r': *p++ = 'r'; break;
        case '\t': *p++ = 't'; break;
        default: {
            constexpr char kHex[] = "0123456789abcdef";
            const char u[] = {'u', '0', '0', kHex[c >> 4], kHex[c & 15]};
            p = put(p, {u, sizeof u});
        }
        }
    }
    *p++ = '"';
    return p;
}

char* putInt(char* p, long long v) { return std::to_chars(p, p + 24, v).ptr; }

// The eight digits of n < 10^8 with leading zeros, the first in the lowest
// byte, all at once in one register: n is cut into two groups of four, each
// lane of the word is divided by 100 and then by 10 with one multiplication
// for all lanes (exact for these ranges), and '0' is added to each byte.
std::uint64_t eightDigits(std::uint32_t n)
{
    const std::uint32_t hi = n / 10000, lo = n - hi * 10000;
    std::uint64_t x = hi | (std::uint64_t{lo} << 32);
    std::uint64_t q = ((x * 10486) >> 20) & 0x0000007F0000007Fu;  // each group / 100
    x = q | ((x - q * 100) << 16);                                // four pairs
    q = ((x * 103) >> 10) & 0x000F000F000F000Fu;                  // each pair / 10
    x = q | ((x - q * 10) << 8);                                  // eight digits
    return x | 0x3030303030303030u;
}

char* putWord(char* p, std::uint64_t w, std::size_t n)
{
    std::memcpy(p, &w, 8);
    return p + n;
}

constexpr std::uint64_t kZeros = 0x3030303030303030u;  // "00000000"

// The digits of a group other than 0 without its leading zeros.
char* putLeading(char* p, std::uint64_t digits)
{
    const int zeros = std::countr_zero(digits ^ kZeros) / 8;
    return putWord(p, digits >> (8 * zeros), static_cast<std::size_t>(8 - zeros));
}

// Exactly four decimals, "-" when negative: "1000.0000". The count is cut
// into groups of eight digits (below 10,000.0000, nearly every amount of a
// pay period, there is one); the compiler makes each cut a multiplication,
// and no digit is found by dividing. Writes up to 7 bytes past its end.
// Inlined: a line writes seventeen amounts.
[[gnu::always_inline]] inline char* putFixed4(char* p, Currency c)
{
    static_assert(std::endian::native == std::endian::little);
    constexpr std::uint64_t kGroup = 100000000;
    const std::int64_t v = c.count();
    std::uint64_t m = v < 0 ? static_cast<std::uint64_t>(-(v + 1)) + 1 : static_cast<std::uint64_t>(v);
    if (v < 0) *p++ = '-';
    std::uint64_t last;  // 4 whole digits, 4 decimals
    if (m < kGroup) {
        last = eightDigits(static_cast<std::uint32_t>(m));
        // The whole part without its leading zeros, but one digit at least.
        const int zeros = std::min(std::countr_zero(last ^ kZeros) / 8, 3);
        p = putWord(p, last >> (8 * zeros), static_cast<std::size_t>(4 - zeros));
    } else {
        last = eightDigits(static_cast<std::uint32_t>(m % kGroup));
        m /= kGroup;
        const std::uint64_t middle = eightDigits(static_cast<std::uint32_t>(m % kGroup));
        if (m >= kGroup) {  // at most 922 above 10^16
            p = putLeading(p, eightDigits(static_cast<std::uint32_t>(m / kGroup)));
            p = putWord(p, middle, 8);
        } else {
            p = putLeading(p, middle);
        }
        p = putWord(p, last, 4);
    }
    *p++ = '.';
    return putWord(p, last >> 32, 4);
}

// ,"key":"1000.0000" with the key's prefix as a literal: ,"key":"
template <std::size_t N>
[[gnu::always_inline]] inline char* putAmount(char* p, const char (&prefix)[N], Currency c)
{
    p = putLiteral(p, prefix);
    p = putFixed4(p, c);
    *p++ = '"';
    return p;
}

// The room a line's output takes beyond its texts of any length (the id,
// the label, the notice, an error's words), tied to what fills it.
constexpr std::size_t kAmountWidth = sizeof "-922337203685477.5808" - 1;  // the widest amount, every decimal
constexpr std::size_t kAmountKeyWidth = sizeof ",\"amtLocalTax\":\"\"" - 1;  // the longest key, with its quotes
constexpr std::size_t kAmountKeys = 17;                                      // the amounts of the object
constexpr std::size_t kIntWidth = 20;                                        // a 64-bit number, signed
// Braces, "id", "DepsNumber" and its number, "lblModified", "notice" and an error's keys and numbers.
constexpr std::size_t kOtherKeysWidth = 160;
constexpr std::size_t kResultRoom = 1024;
static_assert(kAmountKeys * (kAmountKeyWidth + kAmountWidth) + kOtherKeysWidth <= kResultRoom);
constexpr std::size_t kLineErrorRoom = 80;
static_assert(sizeof "{\"line\":,\"id\":,\"error\":{\"number\":0,\"description\":}}\n" - 1 + kIntWidth <= kLineErrorRoom);

// A line refused before its calculation, with its "id" as written (null
// where the line was not read that far), so a caller that matches answers
// by id finds it.
void appendLineError(OutBuffer& out, long lineNumber, std::string_view idRaw, std::string_view message)
{
    char* p = out.reserve(kLineErrorRoom + idRaw.size() + quotedRoom(message));
    p = put(p, "{\"line\":");
    p = putInt(p, lineNumber);
    p = put(p, ",\"id\":");
    std::memcpy(p, idRaw.data(), idRaw.size());
    p += idRaw.size();
    p = put(p, ",\"error\":{\"number\":0,\"description\":");
    p = putQuoted(p, message);
    p = put(p, "}}\n");
    out.commit(p);
}

char* putError(char* p, const ReportSummary& e)
{
    p = put(p, ",\"error\":{\"number\":");
    p = putInt(p, e.number);
    p = put(p, ",\"description\":");
    p = putQuoted(p, e.description);
    p = put(p, ",\"module\":");
    p = putQuoted(p, e.module);
    p = put(p, ",\"procedure\":");
    p = putQuoted(p, e.procedure);
    p = put(p, ",\"line\":");
    p = putInt(p, e.line);
    return put(p, "}}");
}

// "...": the label of a state's calculator ("Tax Code last modified: ..."),
// quoted once for the many lines of that state.
class QuotedLabels {
public:
    std::string_view of(std::int16_t state, std::string_view label)
    {
        Entry& e = entries_[static_cast<std::size_t>(state) % entries_.size()];
        if (label != e.label || e.quoted.empty()) {
            e.label.assign(label);
            e.quoted.resize(quotedRoom(label));
            e.quoted.resize(static_cast<std::size_t>(putQuoted(e.quoted.data(), label) - e.quoted.data()));
        }
        return e.quoted;
    }

private:
    struct Entry {
        std::string label, quoted;
    };
    std::array<Entry, 64> entries_;  // by state index
};

// The output object of one calculation (or its run-time error), with the
// given source text as "id" and the label already quoted, and a newline.
void appendResult(OutBuffer& out, std::string_view idRaw, const PayRecord& r, std::string_view quotedLabel,
                  std::string_view notice, const std::optional<ReportSummary>& error)
{
    std::size_t room = kResultRoom + idRaw.size() + quotedLabel.size() + quotedRoom(notice);
    if (error)
        room += quotedRoom(error->description) + quotedRoom(error->module) + quotedRoom(error->procedure);
    char* p = out.reserve(room);
    p = put(p, "{\"id\":");
    p = put(p, idRaw);
    if (error) {
        p = putError(p, *error);
        *p++ = '\n';
        out.commit(p);
        return;
    }
    p = putAmount(p, ",\"SSBase\":\"", r.SSBase);
    p = putAmount(p, ",\"taxBase\":\"", r.taxBase);
    p = putAmount(p, ",\"ftaxBase\":\"", r.ftaxBase);
    p = putAmount(p, ",\"amtDed\":\"", r.amtDed);
    p = putAmount(p, ",\"amt401k\":\"", r.amt401k);
    p = putAmount(p, ",\"PreTax\":\"", r.PreTax);
    p = putAmount(p, ",\"SSEmp\":\"", r.SSEmp);
    p = putAmount(p, ",\"fTax\":\"", r.fTax);
    p = putAmount(p, ",\"amtFICA\":\"", r.amtFICA);
    p = putAmount(p, ",\"amtSS\":\"", r.amtSS);
    p = putAmount(p, ",\"amtMedicare\":\"", r.amtMedicare);
    p = putAmount(p, ",\"sTax\":\"", r.sTax);
    p = putAmount(p, ",\"amtLocalTax\":\"", r.amtLocalTax);
    p = putAmount(p, ",\"amtDedTot\":\"", r.amtDedTot);
    p = putAmount(p, ",\"amtTotal\":\"", r.amtTotal);
    p = putAmount(p, ",\"staxBase\":\"", r.staxBase);
    p = putAmount(p, ",\"PersExmp\":\"", r.PersExmp);
    p = put(p, ",\"DepsNumber\":");
    p = putInt(p, r.DepsNumber);
    p = put(p, ",\"lblModified\":");
    p = put(p, quotedLabel);
    if (!notice.empty()) {
        p = put(p, ",\"notice\":");
        p = putQuoted(p, notice);
    }
    p = put(p, "}\n");
    out.commit(p);
}

// ---- Reading ----------------------------------------------------------

// A quarter of a MiB of lines at a time: few hand-overs between threads,
// while the chunks in flight (two per thread) stay a few MiB
// (bench/NOTES.md).
constexpr std::size_t kChunkBytes = 1 << 18;

// An allocator that leaves new bytes as they are: the input is read over
// them, so zeroing them first would only cost time.
template <class T>
struct Uncleared : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = Uncleared<U>;
    };
    Uncleared() = default;
    template <class U>
    Uncleared(const Uncleared<U>&) noexcept {}
    template <class U>
    void construct(U* p) noexcept
    {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... A>
    void construct(U* p, A&&... a)
    {
        ::new (static_cast<void*>(p)) U(std::forward<A>(a)...);
    }
};
using Bytes = std::vector<char, Uncleared<char>>;

// Whole lines of the input, computed together. Each on cache lines of its
// own: the thread computing one writes its output's end at every line.
struct alignas(64) Chunk {
    Bytes text;              // the lines, each ending in '\n' but perhaps the last of the input, then blanks
    std::vector<std::size_t> ends;  // of each line: its '\n' (or the end of the text)
    bool overlong = false;   // one line longer than kMaxLineBytes, not kept
    long firstLine = 0;      // number of the first line
    long lines = 0;
    OutBuffer out;           // the output lines
    long failed = 0;
    bool done = false;
};

// Cuts the input into chunks at line ends.
class ChunkSource {
public:
    explicit ChunkSource(std::streambuf& in) : in_(in) {}

    // The next lines into `c`; false at the end of the input.
    bool next(Chunk& c)
    {
        c.text.swap(carry_);
        carry_.clear();
        c.overlong = false;
        // The carry may hold whole lines after a line that was too long.
        std::size_t searched = 0;
        for (;;) {
            if (!end_ && !fill(c.text)) end_ = true;
            const void* nl = searched < c.text.size()
                                 ? ::memrchr(c.text.data() + searched, '\n', c.text.size() - searched)
                                 : nullptr;
            searched = c.text.size();
            if (nl) {
                const std::size_t cut = static_cast<std::size_t>(static_cast<const char*>(nl) - c.text.data()) + 1;
                carry_.assign(c.text.begin() + static_cast<std::ptrdiff_t>(cut), c.text.end());
                c.text.resize(cut);
                break;
            }
            if (end_) {
                if (c.text.empty()) return false;
                break;
            }
            if (c.text.size() > kMaxLineBytes) {
                skipLine(c);
                return true;
            }
        }
        // A byte-order mark may open the input; it is not part of the line.
        if (start_ && c.text.size() >= 3 && std::memcmp(c.text.data(), "\xEF\xBB\xBF", 3) == 0) {
            c.text.erase(c.text.begin(), c.text.begin() + 3);
            if (c.text.empty()) c.text.assign(1, '\n');  // the mark alone: one empty line
        }
        start_ = false;
        // Where each line ends, found once: the count numbers the next
        // chunk's lines, and the computing thread need not search again.
        c.ends.clear();
        for (const char* p = c.text.data(); (p = static_cast<const char*>(std::memchr(
                                                  p, '\n', static_cast<std::size_t>(c.text.data() + c.text.size() - p))));
             ++p)
            c.ends.push_back(static_cast<std::size_t>(p - c.text.data()));
        if (c.text.back() != '\n') c.ends.push_back(c.text.size());
        c.lines = static_cast<long>(c.ends.size());
        // Room for the parser past the last line, so that every line is
        // read where it is.
        c.text.insert(c.text.end(), LineReader::kPadding, ' ');
        c.firstLine = nextLine_;
        nextLine_ += c.lines;
        return true;
    }

private:
    // Appends what the input holds now, up to a chunk; false at its end.
    bool fill(Bytes& s)
    {
        const std::size_t old = s.size();
        s.resize(old + kChunkBytes);
        const std::streamsize got = in_.sgetn(s.data() + old, static_cast<std::streamsize>(kChunkBytes));
        s.resize(old + static_cast<std::size_t>(got > 0 ? got : 0));
        return got > 0;
    }

    // Reads past the rest of a line that is too long to hold.
    void skipLine(Chunk& c)
    {
        for (;;) {
            c.text.clear();
            if (!fill(c.text)) {
                end_ = true;
                break;
            }
            const auto nl = std::find(c.text.begin(), c.text.end(), '\n');
            if (nl != c.text.end()) {
                carry_.assign(nl + 1, c.text.end());
                break;
            }
        }
        c.text.clear();
        c.ends.clear();
        c.overlong = true;
        c.lines = 1;
        c.firstLine = nextLine_++;
        start_ = false;
    }

    std::streambuf& in_;
    Bytes carry_;  // the start of the next line
    bool end_ = false;
    bool start_ = true;
    long nextLine_ = 1;
};

// ---- Computing --------------------------------------------------------

static_assert(kMaxLineBytes == 1 << 20);
constexpr std::string_view kOverlong = "line longer than 1 MiB";

// What one thread needs to compute lines, kept from chunk to chunk.
class Worker {
public:
    void process(Chunk& c)
    {
        c.out.clear();
        c.failed = 0;
        if (c.overlong) {
            appendLineError(c.out, c.firstLine, "null", kOverlong);
            c.failed = 1;
            return;
        }
        long number = c.firstLine;
        const char* text = c.text.data();
        std::size_t start = 0;
        for (const std::size_t end : c.ends) {
            std::string_view line(text + start, end - start);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            if (!one(c.out, line, c.text.size() - start, number++)) ++c.failed;
            start = end + 1;
        }
    }

private:
    bool one(OutBuffer& out, std::string_view line, std::size_t readable, long number)
    {
        if (line.size() > kMaxLineBytes) {
            appendLineError(out, number, "null", kOverlong);
            return false;
        }
        if (!reader_.read(line, readable, calc_.request(), id_, error_)) {
            appendLineError(out, number, id_, error_);
            return false;
        }
        if (calc_.request().bonus || calc_.request().bonusEntries) return bonus(out, number);
        calc_.run(calc_.request());
        if (!calc_.error().summary)
            if (auto why = deductionsAboveGross(calc_.record())) {
                appendLineError(out, number, id_, *why);
                return false;
            }
        appendResult(out, id_, calc_.record(), labels_.of(calc_.record().intState, calc_.lblModified()), calc_.notice(),
                     calc_.error().summary);
        return !calc_.error().summary;
    }

    // A line with a bonus: its Bonus Check, on storage of its own (such
    // lines are few).
    bool bonus(OutBuffer& out, long number)
    {
        if (!calc_.request().bonus) {
            appendLineError(out, number, id_, "BonusMethod, chkBonus401k and txtBonusSSWages need txtBonus");
            return false;
        }
        const BonusOutcome b = computeBonus(calc_.request());
        if (!b.bonus.error && b.refusal) {
            appendLineError(out, number, id_, *b.refusal);
            return false;
        }
        const std::string text = bonusObject(id_, b);
        char* p = out.reserve(text.size() + 1);
        p = put(p, text);
        *p++ = '\n';
        out.commit(p);
        return !b.bonus.error;
    }

    LineReader reader_;
    QuotedLabels labels_;
    Calculator calc_;  // holds the request each line is read into
    std::string id_;
    std::string error_;
};

// Progress on one line, redrawn every 10,000 lines.
class Progress {
public:
    explicit Progress(std::ostream* err) : err_(err) {}
    void update(const BatchResult& r)
    {
        if (!err_ || r.lines / 10000 == shown_ / 10000) return;
        shown_ = r.lines;
        *err_ << "\r" << r.lines << " lines, " << r.failed << " with errors" << std::flush;
    }
    void finish(const BatchResult& r)
    {
        if (err_ && r.lines >= 10000) *err_ << "\r" << r.lines << " lines, " << r.failed << " with errors\n" << std::flush;
    }

private:
    std::ostream* err_;
    long shown_ = 0;
};

// Writes a computed chunk; false when the output is gone.
bool emit(std::ostream& out, const Chunk& c, BatchResult& result, Progress& progress)
{
    out.write(c.out.view().data(), static_cast<std::streamsize>(c.out.view().size()));
    out.flush();
    if (!out) return false;
    result.lines += c.lines;
    result.failed += c.failed;
    progress.update(result);
    return true;
}

BatchResult runInline(ChunkSource& source, std::ostream& out, Progress& progress)
{
    BatchResult result;
    Worker w;
    Chunk c;
    while (source.next(c)) {
        w.process(c);
        if (!emit(out, c, result, progress)) break;
    }
    return result;
}

// Threads that each read the next chunk themselves, compute it where they
// read it, and write what is ready in input order: the lines are in the
// cache of the core that works on them, and no other thread wakes for each
// chunk (bench/NOTES.md). One thread writes at a time; the others go on
// computing meanwhile.
class ParallelRun {
public:
    ParallelRun(ChunkSource& source, std::ostream& out, Progress& progress, int jobs)
        : source_(source), out_(out), progress_(progress), held_(static_cast<std::size_t>(jobs) * 2),
          order_(held_, nullptr)
    {
        // A thread that cannot be started leaves the work to those that
        // could; with none the caller computes inline.
        try {
            for (int i = 0; i < jobs; ++i) threads_.emplace_back([this] { work(); });
        } catch (const std::system_error&) {
            if (threads_.empty()) throw;
        }
    }
    ~ParallelRun() { finish(); }
    ParallelRun(const ParallelRun&) = delete;
    ParallelRun& operator=(const ParallelRun&) = delete;

    // Waits until every chunk is written (or the output failed).
    BatchResult finish()
    {
        for (std::thread& t : threads_)
            if (t.joinable()) t.join();
        return result_;
    }

private:
    // A chunk to read into: a spare one, a new one while fewer than held_
    // exist, else wait until one is written.
    Chunk* room()
    {
        std::unique_lock lock(m_);
        room_.wait(lock, [this] { return stop_ || !spare_.empty() || chunks_.size() < held_; });
        if (stop_) return nullptr;
        if (spare_.empty()) return chunks_.emplace_back(std::make_unique<Chunk>()).get();
        Chunk* c = spare_.back();
        spare_.pop_back();
        return c;
    }

    // The next chunk of the input into `c`, with its place; false at the end.
    bool read(Chunk* c, long& seq)
    {
        // One reader at a time: the chunks are cut in input order.
        std::lock_guard read(read_m_);
        bool more;
        {
            std::lock_guard lock(m_);
            more = !ended_ && !stop_;
        }
        if (more) more = source_.next(*c);
        std::lock_guard lock(m_);
        if (!more) {
            ended_ = true;
            spare_.push_back(c);
            return false;
        }
        seq = read_++;
        c->done = false;
        order_[static_cast<std::size_t>(seq) % order_.size()] = c;
        return true;
    }

    // Writes the computed chunks that are next in input order, unless
    // another thread is writing them already.
    void writeReady(std::unique_lock<std::mutex>& lock)
    {
        if (writing_) return;
        writing_ = true;
        for (;;) {
            Chunk* c = order_[static_cast<std::size_t>(written_) % order_.size()];
            if (stop_ || written_ >= read_ || !c->done) break;
            lock.unlock();
            const bool ok = emit(out_, *c, result_, progress_);
            lock.lock();
            if (!ok) stop_ = true;  // the output is gone: no more is read
            ++written_;
            spare_.push_back(c);
            room_.notify_all();
        }
        writing_ = false;
    }

    void work()
    {
        Worker w;
        for (;;) {
            Chunk* c = room();
            long seq = 0;
            if (!c || !read(c, seq)) break;
            w.process(*c);
            // The thread that finishes a chunk writes it when it is next,
            // or the one writing (or finishing the chunk before) will: every
            // chunk is written without a last look at the end.
            std::unique_lock lock(m_);
            c->done = true;
            writeReady(lock);
        }
    }

    ChunkSource& source_;
    std::ostream& out_;
    Progress& progress_;
    BatchResult result_;      // of the chunks written; by the writing thread only
    const std::size_t held_;  // chunks at most: enough that every thread has one while the oldest is written
    // The chunks read and not yet written, by their place in the input: at
    // most held_ of them, so a ring of that many slots.
    std::vector<Chunk*> order_;
    std::mutex read_m_;  // taken before m_, never after it
    std::mutex m_;
    std::condition_variable room_;
    std::vector<std::unique_ptr<Chunk>> chunks_;
    std::vector<Chunk*> spare_;
    long read_ = 0;     // chunks read so far
    long written_ = 0;  // chunks written so far
    bool writing_ = false;
    bool ended_ = false;
    bool stop_ = false;
    std::vector<std::thread> threads_;
};

BatchResult runParallel(ChunkSource& source, std::ostream& out, Progress& progress, int jobs)
{
    try {
        ParallelRun run(source, out, progress, jobs);
        return run.finish();
    } catch (const std::system_error&) {  // no thread could start: nothing was read yet
        return runInline(source, out, progress);
    }
}

}  // namespace

// ,"explain":[{"step":"Gross pay","amount":"1000.0000"},...]: an amount as
// the object's own, null for a step without one.
void appendExplain(OutBuffer& out, const Trace& trace)
{
    char* p = out.reserve(16);
    p = put(p, ",\"explain\":[");
    out.commit(p);
    bool first = true;
    for (const TraceLine& t : trace.lines) {
        p = out.reserve(64 + quotedRoom(t.text));
        if (!first) *p++ = ',';
        first = false;
        p = put(p, "{\"step\":");
        p = putQuoted(p, t.text);
        if (t.amount) {
            p = put(p, ",\"amount\":\"");
            p = putFixed4(p, *t.amount);
            p = put(p, "\"}");
        } else {
            p = put(p, ",\"amount\":null}");
        }
        out.commit(p);
    }
    p = out.reserve(2);
    *p++ = ']';
    out.commit(p);
}

std::string resultObject(std::string_view idRaw, const CalcOutcome& res, bool explain)
{
    OutBuffer out;
    appendResult(out, idRaw, res.record, QuotedLabels().of(res.record.intState, res.lblModified), res.notice,
                 res.error);
    std::string text(out.view());
    text.pop_back();  // the newline
    if (!explain || res.error) return text;
    // The steps go inside the object, before its closing brace.
    text.pop_back();
    out.clear();
    appendExplain(out, res.trace);
    return text.append(out.view()).append("}");
}

std::string bonusObject(std::string_view idRaw, const BonusOutcome& res, bool explain)
{
    std::string text = resultObject(idRaw, res.bonus, explain);
    if (res.bonus.error) return text;
    text.pop_back();  // the closing brace
    OutBuffer out;
    char* p = out.reserve(32 + quotedRoom(res.note));
    p = put(p, ",\"bonusMethod\":");
    p = putQuoted(p, bonusRule(res.method).name);
    if (!res.note.empty()) {
        p = put(p, ",\"bonusNote\":");
        p = putQuoted(p, res.note);
    }
    *p++ = '}';
    out.commit(p);
    return text.append(out.view());
}

BatchResult runBatch(std::istream& in, std::ostream& out, std::ostream* progressStream, int jobs)
{
    ChunkSource source(*in.rdbuf());
    Progress progress(progressStream);
    const BatchResult result = jobs <= 1 ? runInline(source, out, progress) : runParallel(source, out, progress, jobs);
    progress.finish(result);
    out.flush();
    return result;
}

}  // namespace wm::cli
