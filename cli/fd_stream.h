#pragma once
// Streams over file descriptors that remember why a read or write failed.
//
// The standard streams say only that something went wrong (and a failed
// read looks like the end of the input). The tool must tell a full disk, a
// closed output or an unreadable input from success, with the reason.

#include <cstddef>
#include <streambuf>
#include <string>
#include <vector>

namespace wm::cli {

class FdOutBuf final : public std::streambuf {
public:
    explicit FdOutBuf(int fd, std::size_t bufferSize = 1 << 16);
    ~FdOutBuf() override;
    FdOutBuf(const FdOutBuf&) = delete;
    FdOutBuf& operator=(const FdOutBuf&) = delete;

    int error() const { return error_; }  // errno of the first failed write, 0 if none

protected:
    int_type overflow(int_type c) override;
    int sync() override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;

private:
    bool flushBuffer();
    bool writeAll(const char* p, std::size_t n);

    int fd_;
    int error_ = 0;
    std::vector<char> buffer_;
};

class FdInBuf final : public std::streambuf {
public:
    explicit FdInBuf(int fd, bool owned = false, std::size_t bufferSize = 1 << 16);
    ~FdInBuf() override;
    FdInBuf(const FdInBuf&) = delete;
    FdInBuf& operator=(const FdInBuf&) = delete;

    int error() const { return error_; }  // errno of a failed read, 0 if none

protected:
    int_type underflow() override;
    std::streamsize xsgetn(char* s, std::streamsize n) override;

private:
    long readSome(char* p, std::size_t n);

    int fd_;
    bool owned_;
    int error_ = 0;
    std::vector<char> buffer_;
};

// Why writing to `buf` failed ("No space left on device"), or "" when it
// did not (or when the stream is not one of ours).
std::string writeFailure(const std::streambuf* buf);
std::string readFailure(const std::streambuf* buf);

// Standard input, output and error that were closed by the caller are
// opened on /dev/null the wrong way round, so that reads and writes on them
// still fail as on a closed descriptor, and no file opened later takes
// their number.
void holdClosedStandardDescriptors();

}  // namespace wm::cli
