#pragma once
// One batch line (strict JSON: RFC 8259) into a calculation request.
//
// The keys come from the option table; other keys are checked as JSON and
// otherwise ignored, so lines may carry data of their own. A line that is
// not valid JSON, is not an object, or has a key of the wrong type gets a
// message for its {"line":K,"error":...} object; JSON faults come first,
// then the first key in the line that is wrong.
//
// A reader keeps its parser and buffers from line to line: one per thread.

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "cli/compute.h"

namespace wm::cli {

struct LineWalker;

// The walk this processor runs, and every walk of this build.
const LineWalker& activeLineWalker();
std::span<const LineWalker* const> lineWalkers();
// Whether this processor has what a walk's kernel needs.
bool runsHere(const LineWalker& walker);
// The kernel simdjson runs on this processor ("icelake").
std::string_view simdjsonKernel();

class LineReader {
public:
    explicit LineReader(const LineWalker& walker = activeLineWalker());
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // Bytes the parser may read past the end of a line.
    static constexpr std::size_t kPadding = 64;

    // True with `request` filled and `id` the source text of the line's
    // "id" (the last one; "null" when there is none); false with `error`.
    // `readable` counts the bytes from the start of `line` that may be read:
    // with kPadding more than the line, the line is read where it is, and
    // what follows it must then be its line end and later lines or blanks
    // (JSON white space: it ends a number or word as the line's end does).
    bool read(std::string_view line, std::size_t readable, CalcRequest& request, std::string& id, std::string& error);
    bool read(std::string_view line, CalcRequest& request, std::string& id, std::string& error)
    {
        return read(line, line.size(), request, id, error);
    }

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace wm::cli
