#pragma once

#include <cstdio>

#include "Manager.h"

namespace ks {

// Owns the one diagnostic log, "kestrel.log" in the working directory. Every line is flushed as it
// is written, so the file is complete even if the program dies.
class LogManager : public Manager {
public:
    static LogManager& getInstance();

    ~LogManager() override;

    // Opens (and empties) "kestrel.log". A stream left open by an earlier start is closed first.
    int startUp() override;
    void shutDown() override;

    void setFlush(bool do_flush) { flush_after_write = do_flush; }

    // printf-style; writes the formatted text and a newline. Dropped when no file is open.
    void writeLog(const char* format, ...) const __attribute__((format(printf, 2, 3)));

    LogManager(const LogManager&) = delete;
    LogManager& operator=(const LogManager&) = delete;

private:
    LogManager();

    FILE* log_file;
    bool flush_after_write;
};

} // namespace ks
