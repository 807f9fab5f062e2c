#include "RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ks {

RegularFile::RegularFile()
    : fd(-1), size(-1), open_error(0), position(0), block(), block_start(0), block_length(0) {}

RegularFile::~RegularFile() {
    close();
}

int RegularFile::open(const std::string& filename) {
    close();
    // Non-blocking, so that opening a FIFO with no writer returns at once; for a regular file
    // the flag changes nothing.
    int new_fd = ::open(filename.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (new_fd < 0) {
        open_error = errno;
        return -1;
    }
    struct stat info;
    const bool known = fstat(new_fd, &info) == 0;
    if (!known || !S_ISREG(info.st_mode)) {
        open_error = known ? NOT_REGULAR : errno;
        ::close(new_fd);
        return -1;
    }
    fd = new_fd;
    size = info.st_size;
    open_error = 0;
    return 0;
}

std::string RegularFile::getOpenError() const {
    if (open_error == NOT_REGULAR)
        return "not a regular file";
    return open_error == 0 ? "" : strerror(open_error);
}

void RegularFile::close() {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
    size = -1;
    position = 0;
    block_start = 0;
    block_length = 0;
}

int64_t RegularFile::readAt(int64_t at, char* p_data, int64_t wanted) {
    int64_t got = 0;
    while (got < wanted) {
        ssize_t n = ::pread(fd, p_data + got, static_cast<size_t>(wanted - got),
                            static_cast<off_t>(at + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return got > 0 ? got : -1;
        if (n == 0)
            break;
        got += n;
    }
    return got;
}

int64_t RegularFile::read(void* p_data, int64_t wanted) {
    if (fd < 0 || wanted < 0)
        return -1;
    char* p_next = static_cast<char*>(p_data);
    int64_t got = 0;
    while (got < wanted) {
        // From the block in memory, as far as it goes.
        if (position >= block_start && position < block_start + block_length) {
            const int64_t offset = position - block_start;
            const int64_t count = std::min(wanted - got, block_length - offset);
            memcpy(p_next + got, block.get() + offset, static_cast<size_t>(count));
            got += count;
            position += count;
            continue;
        }
        // A large read goes straight to the caller; a small one fills the block first.
        if (wanted - got >= BLOCK_SIZE) {
            const int64_t n = readAt(position, p_next + got, wanted - got);
            if (n < 0)
                return got > 0 ? got : -1;
            got += n;
            position += n;
            break;
        }
        if (!block)
            block.reset(new char[BLOCK_SIZE]);
        const int64_t n = readAt(position, block.get(), BLOCK_SIZE);
        if (n < 0)
            return got > 0 ? got : -1;
        block_start = position;
        block_length = n;
        if (n == 0)
            break; // the end of the file
    }
    return got;
}

int64_t RegularFile::seek(int64_t new_position) {
    if (fd < 0 || new_position < 0)
        return -1;
    position = new_position;
    return position;
}

int64_t RegularFile::tell() {
    return fd < 0 ? -1 : position;
}

int64_t RegularFile::getSize() {
    return size;
}

} // namespace ks
