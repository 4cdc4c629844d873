#include "media/SmallFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vellix {

namespace {

SmallFile refused(std::string why) { return {{}, std::move(why)}; }

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

SmallFile readSmallFile(const std::string& path, std::size_t maxBytes) {
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come. It changes nothing
    // for a regular file, the only kind read.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) return refused(std::string("cannot be opened: ") + std::strerror(errno));
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) return refused(std::string("cannot be examined: ") + std::strerror(errno));
    if (!S_ISREG(info.st_mode)) return refused("not a regular file");
    if (std::uint64_t(info.st_size) > maxBytes)
        return refused("larger than " + std::to_string(maxBytes) + " bytes");

    // The file may shrink or grow while it is read: what is there, up to its size when opened.
    SmallFile read;
    read.bytes.resize(std::size_t(info.st_size));
    std::size_t got = 0;
    while (got < read.bytes.size()) {
        const ssize_t n = ::read(file.get(), read.bytes.data() + got, read.bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return refused(std::string("cannot be read: ") + std::strerror(errno));
        if (n == 0) break;
        got += std::size_t(n);
    }
    read.bytes.resize(got);
    return read;
}

}  // namespace vellix
