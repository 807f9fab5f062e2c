#pragma once

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <string>

#include <sys/types.h>

#include "Manager.h"

namespace ks {

/// The file the log is written to unless setFileName names another: "kestrel.log", the engine's
/// log, in the working directory. (A literal, not a std::string, so that it holds its text before
/// any static initializer runs: a manager may be made from one in any file.)
const char* const LOG_FILE_DEFAULT = "kestrel.log";

/// Owns the one diagnostic log, a file named by setFileName (LOG_FILE_DEFAULT unless set), which
/// startUp opens and empties. Every line is flushed as it is written, so the file is complete
/// even if the program dies.
///
/// The file is bounded: a line that would take it past the size cap (or past the process's
/// file-size limit, if lower) first moves it to the same name with ".1" added ("kestrel.log.1"),
/// replacing the one before, and the log goes on in a fresh file; so the disk holds at most about
/// twice the cap and the newest lines are always kept. The log is only ever a regular file: when
/// the name is anything else (a directory, a pipe, a device) the lines are dropped. Writes that
/// fail (a full disk, a file-size limit) are dropped too; the program goes on.
///
/// It also keeps a checksum of the lines written since the log was started, leaving out the lines
/// written with writeVolatileLog, which depend on the wall clock or on the screen (missed frame
/// deadlines, the window's and font's start-up): two runs of the same recorded game, on any
/// platform, have the same checksum.
class LogManager : public Manager {
public:
    /// The one log manager, created on first use.
    static LogManager& getInstance();

    /// The size cap of a new log manager: 32 MiB.
    static const long DEFAULT_MAX_FILE_SIZE = 32L * 1024 * 1024;

    /// Closes the file.
    ~LogManager() override;

    /// Opens (and empties) the log file without ever blocking, and removes the ".1" file an
    /// earlier run left. A stream left open by an earlier start is closed first. 0 even when the
    /// file cannot be opened: the lines are then dropped.
    int startUp() override;
    /// Closes the file; lines written after it are dropped (and still counted in the checksum).
    void shutDown() override;

    /// The file the next startUp opens, relative to the working directory unless absolute (a
    /// game's own name, "snake.log", or a folder of its own). The file open now stays in use.
    void setFileName(const std::string& new_file_name) { file_name = new_file_name; }
    /// The file the log is written to (or, after setFileName, will be at the next startUp).
    const std::string& getFileName() const { return file_name; }

    /// Whether each line is flushed as it is written (true, the default) or left to the stream's
    /// buffer.
    void setFlush(bool do_flush) { flush_after_write = do_flush; }

    /// The size in bytes past which the file is moved aside (at least one line stays per file).
    void setMaxFileSize(long bytes);
    /// The size cap set; the process's file-size limit, if lower, holds the file lower still.
    long getMaxFileSize() const { return max_file_size; }

    /// printf-style; writes the formatted text and a newline. Dropped when no file is open (it
    /// still counts in the checksum).
    void writeLog(const char* format, ...) const __attribute__((format(printf, 2, 3)));
    /// The same for a line that depends on the wall clock or on the screen rather than on the game
    /// alone: written like any other, left out of the checksum.
    void writeVolatileLog(const char* format, ...) const __attribute__((format(printf, 2, 3)));

    /// Whether the file with this device and inode number is the log file (as named now, or as
    /// opened) or the ".1" file it moves aside to, which the log empties and replaces: nothing
    /// else may be written to them.
    bool isLogFile(dev_t device, ino_t inode) const;

    /// FNV-1a (64 bits) of the lines written since the last startUp, each with its line end, but
    /// for the lines written with writeVolatileLog.
    uint64_t getChecksum() const { return checksum; }

    LogManager(const LogManager&) = delete;
    LogManager& operator=(const LogManager&) = delete;

private:
    LogManager();

    /// Formats one line and writes it, counting it in the checksum unless volatile.
    void write(bool counted, const char* format, va_list args) const;

    /// Writes one line of the given length (without its newline), moving the file aside first
    /// when the line would take it past the cap.
    void writeLine(const char* text, long length) const;
    /// Moves the full file aside and opens a fresh one; if it cannot be moved, empties it instead.
    void rotate() const;
    /// The size cap, or the process's file-size limit if that is lower.
    long capInForce() const;

    std::string file_name;
    /// The name of the file open now, and of the one it is moved aside to.
    std::string open_name;
    std::string previous_name;
    /// Writing a line may move the file aside, hence mutable.
    mutable FILE* log_file;
    bool flush_after_write;
    long max_file_size;
    mutable long file_size;
    /// capInForce(), taken when the log starts or the cap changes.
    long cap;
    /// Updated by writeLog, which is const for its callers.
    mutable uint64_t checksum;
};

} // namespace ks
