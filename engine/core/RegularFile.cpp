#include "RegularFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ks {

RegularFile::RegularFile() : fd(-1), size(-1), open_error(0) {}

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
}

sf::Int64 RegularFile::read(void* p_data, sf::Int64 wanted) {
    if (fd < 0 || wanted < 0)
        return -1;
    char* p_next = static_cast<char*>(p_data);
    sf::Int64 got = 0;
    while (got < wanted) {
        ssize_t n = ::read(fd, p_next + got, static_cast<size_t>(wanted - got));
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

sf::Int64 RegularFile::seek(sf::Int64 position) {
    if (fd < 0)
        return -1;
    return lseek(fd, static_cast<off_t>(position), SEEK_SET);
}

sf::Int64 RegularFile::tell() {
    if (fd < 0)
        return -1;
    return lseek(fd, 0, SEEK_CUR);
}

sf::Int64 RegularFile::getSize() {
    return size;
}

} // namespace ks
