#include "cli/fd_stream.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace wm::cli {

FdOutBuf::FdOutBuf(int fd, std::size_t bufferSize) : fd_(fd), buffer_(bufferSize)
{
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

FdOutBuf::~FdOutBuf() { flushBuffer(); }

bool FdOutBuf::writeAll(const char* p, std::size_t n)
{
    while (n > 0 && error_ == 0) {
        const ssize_t w = ::write(fd_, p, n);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) {
            error_ = w < 0 ? errno : EIO;
            break;
        }
        p += w;
        n -= static_cast<std::size_t>(w);
    }
    return error_ == 0;
}

bool FdOutBuf::flushBuffer()
{
    const std::size_t n = static_cast<std::size_t>(pptr() - pbase());
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return writeAll(buffer_.data(), n);
}

FdOutBuf::int_type FdOutBuf::overflow(int_type c)
{
    if (!flushBuffer()) return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

int FdOutBuf::sync() { return flushBuffer() ? 0 : -1; }

std::streamsize FdOutBuf::xsputn(const char* s, std::streamsize n)
{
    if (error_ != 0) return 0;
    const auto count = static_cast<std::size_t>(n);
    if (count <= static_cast<std::size_t>(epptr() - pptr())) {
        std::memcpy(pptr(), s, count);
        pbump(static_cast<int>(count));
        return n;
    }
    // Larger than what is left: out with the buffer, then straight through.
    if (!flushBuffer()) return 0;
    if (count < buffer_.size()) {
        std::memcpy(pptr(), s, count);
        pbump(static_cast<int>(count));
        return n;
    }
    return writeAll(s, count) ? n : 0;
}

FdInBuf::FdInBuf(int fd, bool owned, std::size_t bufferSize) : fd_(fd), owned_(owned), buffer_(bufferSize)
{
    setg(buffer_.data(), buffer_.data(), buffer_.data());
}

FdInBuf::~FdInBuf()
{
    if (owned_) ::close(fd_);
}

long FdInBuf::readSome(char* p, std::size_t n)
{
    if (error_ != 0) return -1;
    for (;;) {
        const ssize_t r = ::read(fd_, p, n);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) error_ = errno;
        return static_cast<long>(r);
    }
}

FdInBuf::int_type FdInBuf::underflow()
{
    const long r = readSome(buffer_.data(), buffer_.size());
    if (r <= 0) return traits_type::eof();
    setg(buffer_.data(), buffer_.data(), buffer_.data() + r);
    return traits_type::to_int_type(*gptr());
}

std::streamsize FdInBuf::xsgetn(char* s, std::streamsize n)
{
    std::streamsize done = 0;
    const std::streamsize buffered = egptr() - gptr();
    if (buffered > 0) {
        done = std::min(buffered, n);
        std::memcpy(s, gptr(), static_cast<std::size_t>(done));
        gbump(static_cast<int>(done));
    }
    // One read at most: what a pipe holds now is worked on before waiting
    // for more.
    if (done == 0) {
        const long r = readSome(s, static_cast<std::size_t>(n));
        if (r > 0) done = r;
    }
    return done;
}

std::string writeFailure(const std::streambuf* buf)
{
    const auto* fd = dynamic_cast<const FdOutBuf*>(buf);
    return fd && fd->error() != 0 ? std::strerror(fd->error()) : std::string();
}

std::string readFailure(const std::streambuf* buf)
{
    const auto* fd = dynamic_cast<const FdInBuf*>(buf);
    return fd && fd->error() != 0 ? std::strerror(fd->error()) : std::string();
}

void holdClosedStandardDescriptors()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        // open() takes the lowest free number, which is this one.
        ::open("/dev/null", fd == 0 ? O_WRONLY : O_RDONLY);
    }
}

}  // namespace wm::cli
