#include "LogManager.h"

#include <csignal>
#include <cstdarg>
#include <string>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ks {

namespace {

const uint64_t FNV_OFFSET = 14695981039346656037ULL;
const uint64_t FNV_PRIME = 1099511628211ULL;

uint64_t addToChecksum(uint64_t sum, const char* text, size_t length) {
    for (size_t i = 0; i < length; i++) {
        sum ^= static_cast<unsigned char>(text[i]);
        sum *= FNV_PRIME;
    }
    return sum;
}

// Opens the file for writing, emptied, when it is a regular file or does not exist yet; null
// otherwise. The open itself never waits: O_NONBLOCK keeps a pipe without a reader (or a device)
// from holding it up, and is taken off again once the file is known to be a plain one.
FILE* openRegularFile(const char* name) {
    int fd = open(name, O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0)
        return nullptr;
    struct stat status;
    int flags = fcntl(fd, F_GETFL);
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || ftruncate(fd, 0) != 0 || flags < 0 ||
        fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        close(fd);
        return nullptr;
    }
    FILE* p_file = fdopen(fd, "w");
    if (!p_file)
        close(fd);
    return p_file;
}

} // namespace

LogManager::LogManager()
    : file_name(LOG_FILE_DEFAULT), open_name(), previous_name(), log_file(nullptr),
      flush_after_write(true), max_file_size(DEFAULT_MAX_FILE_SIZE), file_size(0),
      cap(DEFAULT_MAX_FILE_SIZE), checksum(FNV_OFFSET) {}

LogManager::~LogManager() {
    shutDown();
}

LogManager& LogManager::getInstance() {
    static LogManager instance;
    return instance;
}

int LogManager::startUp() {
    // A write past the process's file-size limit would otherwise kill it with SIGXFSZ; ignored,
    // the write fails like one on a full disk. A handler someone installed is left alone.
    struct sigaction current;
    if (sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
        signal(SIGXFSZ, SIG_IGN);
    // main() and GameManager::startUp() both start the log; never leak the first stream.
    if (log_file)
        fclose(log_file);
    open_name = file_name;
    previous_name = file_name + ".1";
    log_file = openRegularFile(open_name.c_str());
    file_size = 0;
    cap = capInForce();
    checksum = FNV_OFFSET;
    struct stat status;
    if (lstat(previous_name.c_str(), &status) == 0 && !S_ISDIR(status.st_mode))
        unlink(previous_name.c_str());
    return Manager::startUp();
}

void LogManager::shutDown() {
    if (log_file) {
        fclose(log_file);
        log_file = nullptr;
    }
    Manager::shutDown();
}

bool LogManager::isLogFile(dev_t device, ino_t inode) const {
    // The names the next start opens, and those of the log open now, if it was named otherwise.
    for (const std::string& name : {file_name, file_name + ".1", open_name, previous_name}) {
        struct stat status;
        if (!name.empty() && stat(name.c_str(), &status) == 0 && status.st_dev == device &&
            status.st_ino == inode)
            return true;
    }
    return false;
}

void LogManager::setMaxFileSize(long bytes) {
    max_file_size = bytes;
    cap = capInForce();
}

long LogManager::capInForce() const {
    struct rlimit limit;
    if (getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        limit.rlim_cur < static_cast<rlim_t>(max_file_size))
        return static_cast<long>(limit.rlim_cur);
    return max_file_size;
}

void LogManager::writeLog(const char* format, ...) const {
    va_list args;
    va_start(args, format);
    write(true, format, args);
    va_end(args);
}

void LogManager::writeVolatileLog(const char* format, ...) const {
    va_list args;
    va_start(args, format);
    write(false, format, args);
    va_end(args);
}

void LogManager::write(bool counted, const char* format, va_list args) const {
    // Formatted first, so that the line's length is known before it is written, and so that it
    // counts in the checksum whether or not there is a file to write it to.
    char short_text[512];
    va_list again;
    va_copy(again, args);
    const int length = vsnprintf(short_text, sizeof(short_text), format, args);
    if (length < 0) {
        va_end(again);
        return;
    }
    std::string long_text;
    const char* text = short_text;
    if (static_cast<size_t>(length) >= sizeof(short_text)) {
        long_text.assign(length + 1, '\0');
        vsnprintf(&long_text[0], long_text.size(), format, again);
        text = long_text.c_str();
    }
    va_end(again);

    if (counted) {
        checksum = addToChecksum(checksum, text, static_cast<size_t>(length));
        checksum = addToChecksum(checksum, "\n", 1);
    }
    if (log_file)
        writeLine(text, length);
}

void LogManager::writeLine(const char* text, long length) const {
    if (file_size > 0 && file_size + length + 1 > cap)
        rotate();
    if (!log_file)
        return;
    fwrite(text, 1, length, log_file);
    fputc('\n', log_file);
    file_size += length + 1;
    if (flush_after_write)
        fflush(log_file);
}

void LogManager::rotate() const {
    fclose(log_file);
    // Renamed, the full file keeps its lines; where it cannot be (a folder that may not be
    // written), it is emptied in place so that the disk stays bounded all the same.
    rename(open_name.c_str(), previous_name.c_str());
    log_file = openRegularFile(open_name.c_str());
    file_size = 0;
}

} // namespace ks
