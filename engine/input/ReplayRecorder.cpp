#include "ReplayRecorder.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "LogManager.h"

namespace ks {

namespace {

// The died line a crash signal's handler writes, kept ready by the recorder begun last. Its
// "CYCLE died " part is prepared in one slot while the handler may read the other, and the slot
// is then handed over: the handler only ever reads a whole line and calls write(). Lock-free
// atomics are the only shared state a signal handler may touch.
static_assert(std::atomic<int>::is_always_lock_free, "a signal handler needs lock-free atomics");
const int PREFIX_SIZE = 24;
char death_prefix[2][PREFIX_SIZE];
std::atomic<int> death_prefix_length[2] = {{0}, {0}};
std::atomic<int> death_slot{0};
std::atomic<int> death_fd{-1};

const char* signalName(int signal_number) {
    switch (signal_number) {
    case SIGSEGV:
        return "SIGSEGV";
    case SIGBUS:
        return "SIGBUS";
    case SIGFPE:
        return "SIGFPE";
    case SIGILL:
        return "SIGILL";
    case SIGABRT:
        return "SIGABRT";
    default:
        return "SIGNAL";
    }
}

// What a failed write means to a player.
std::string reasonOf(int error) {
    const std::string text = strerror(error);
    switch (error) {
    case ENOSPC:
        return "disk full (" + text + ")";
    case EDQUOT:
        return "disk quota exceeded (" + text + ")";
    case EFBIG:
        return "file-size limit reached (" + text + ")";
    case EIO:
        return "I/O error (" + text + ")";
    default:
        return text;
    }
}

} // namespace

ReplayRecorder::~ReplayRecorder() {
    if (fd >= 0 && created && !begun)
        unlink(filename.c_str());
    release();
}

void ReplayRecorder::release() {
    if (fd < 0)
        return;
    // First, so that a crash signal never writes to a descriptor about to be closed and reused.
    if (death_fd.load() == fd)
        death_fd.store(-1);
    if (::close(fd) != 0 && begun && failed_errno == 0) {
        failed_errno = errno; // a file system may report a failed write only now
        failed_cycle = last_written_cycle + 1;
    }
    fd = -1;
}

int ReplayRecorder::open(const std::string& new_filename) {
    release();
    filename = new_filename;
    created = begun = false;
    failed_errno = 0;
    failed_cycle = last_written_cycle = -1;
    refusal.clear();

    struct stat status;
    const bool existed = stat(filename.c_str(), &status) == 0;
    if (existed && !S_ISREG(status.st_mode)) {
        refusal = "not a regular file";
        return -1;
    }
    // Non-blocking: a FIFO put in its place since would otherwise hold the open up for ever.
    // The file is not emptied before it is known to be one to record to.
    int new_fd =
        ::open(filename.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (new_fd < 0) {
        refusal = strerror(errno);
        return -1;
    }
    created = !existed;
    const int flags = fcntl(new_fd, F_GETFL);
    if (fstat(new_fd, &status) != 0 || !S_ISREG(status.st_mode))
        refusal = "not a regular file";
    else if (LogManager::getInstance().isLogFile(status.st_dev, status.st_ino))
        refusal = "it is the game's log file";
    else if (flock(new_fd, LOCK_EX | LOCK_NB) != 0)
        refusal = errno == EWOULDBLOCK ? "another game is recording to it" : strerror(errno);
    else if (flags < 0 || fcntl(new_fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        refusal = strerror(errno);
    if (!refusal.empty()) {
        ::close(new_fd);
        if (created)
            unlink(filename.c_str());
        return -1;
    }
    fd = new_fd;
    return 0;
}

int ReplayRecorder::begin(unsigned long seed) {
    if (fd < 0 || begun)
        return -1;
    // A write past the process's file-size limit would otherwise kill it with SIGXFSZ; ignored,
    // the write fails like one on a full disk. A handler someone installed is left alone.
    struct sigaction current;
    if (sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
        signal(SIGXFSZ, SIG_IGN);
    begun = true;
    if (ftruncate(fd, 0) != 0) {
        failed_errno = errno;
        failed_cycle = 0;
        return -1;
    }
    if (!writeLine(Replay::headerLine() + "\n" + Replay::seedLine(seed), -1))
        return -1;
    death_fd.store(fd);
    setCycle(0);
    return 0;
}

bool ReplayRecorder::writeLine(const std::string& line, int cycle) {
    if (fd < 0 || !begun || failed_errno != 0)
        return false;
    const std::string text = line + "\n";
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            failed_errno = n < 0 ? errno : EIO;
            failed_cycle = cycle < 0 ? 0 : cycle;
            if (death_fd.load() == fd)
                death_fd.store(-1); // a died line after a cut one would only add to the damage
            return false;
        }
        done += static_cast<size_t>(n);
    }
    if (cycle > last_written_cycle)
        last_written_cycle = cycle;
    return true;
}

void ReplayRecorder::write(const Replay::Input& input) {
    writeLine(Replay::inputLine(input), input.cycle);
}

void ReplayRecorder::writeTime(int cycle, uint64_t checksum) {
    writeLine(Replay::timeLine(cycle, checksum), cycle);
}

void ReplayRecorder::close(int last_cycle, uint64_t checksum) {
    if (fd < 0)
        return;
    if (death_fd.load() == fd)
        death_fd.store(-1);
    writeLine(Replay::endLine(last_cycle, checksum), last_cycle);
    release();
}

void ReplayRecorder::setCycle(int cycle) {
    if (fd < 0 || death_fd.load() != fd)
        return;
    const int slot = 1 - death_slot.load();
    const std::string prefix = std::to_string(cycle) + " died ";
    memcpy(death_prefix[slot], prefix.data(), prefix.size()); // at most 11 digits and 6 more
    death_prefix_length[slot].store(static_cast<int>(prefix.size()));
    death_slot.store(slot);
}

void ReplayRecorder::writeDeathLine(int signal_number) {
    // Async-signal-safe: atomics, plain copies into a local buffer, and write().
    const int target = death_fd.exchange(-1);
    if (target < 0)
        return;
    const int slot = death_slot.load();
    char line[PREFIX_SIZE + 16];
    int length = 0;
    for (int i = 0; i < death_prefix_length[slot].load(); i++)
        line[length++] = death_prefix[slot][i];
    for (const char* p_name = signalName(signal_number); *p_name; p_name++)
        line[length++] = *p_name;
    line[length++] = '\n';
    if (::write(target, line, static_cast<size_t>(length)) < 0)
        return; // nothing more can be done for a process about to die
}

std::string ReplayRecorder::getError() const {
    if (!refusal.empty())
        return "cannot record to " + filename + ": " + refusal;
    if (failed_errno != 0)
        return "cannot write " + filename + ": " + reasonOf(failed_errno);
    return "";
}

} // namespace ks
