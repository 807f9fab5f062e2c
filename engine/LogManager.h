#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "Manager.h"

namespace ks {

// Owns the one diagnostic log, "kestrel.log" in the working directory. Every line is flushed as it
// is written, so the file is complete even if the program dies.
//
// It also keeps a checksum of the lines written since the log was started, leaving out the lines
// that depend on the wall clock or on the window (missed frame deadlines, the window's and
// font's start-up): two runs of the same recorded game have the same checksum.
class LogManager : public Manager {
public:
    static LogManager& getInstance();

    ~LogManager() override;

    // Opens (and empties) "kestrel.log". A stream left open by an earlier start is closed first.
    int startUp() override;
    void shutDown() override;

    void setFlush(bool do_flush) { flush_after_write = do_flush; }

    // printf-style; writes the formatted text and a newline. Dropped when no file is open (it
    // still counts in the checksum).
    void writeLog(const char* format, ...) const __attribute__((format(printf, 2, 3)));

    // FNV-1a (64 bits) of the lines written since the last startUp, each with its line end, but
    // for the lines isVolatile tells apart.
    uint64_t getChecksum() const { return checksum; }
    // Whether a line depends on the wall clock or on the window rather than on the game alone.
    static bool isVolatile(const std::string& line);

    LogManager(const LogManager&) = delete;
    LogManager& operator=(const LogManager&) = delete;

private:
    LogManager();

    FILE* log_file;
    bool flush_after_write;
    // Updated by writeLog, which is const for its callers.
    mutable uint64_t checksum;
};

} // namespace ks
