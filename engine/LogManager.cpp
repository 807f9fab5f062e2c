#include "LogManager.h"

#include <cstdarg>

namespace ks {

namespace {
const char* const LOG_FILE_NAME = "kestrel.log";
}

LogManager::LogManager() : log_file(nullptr), flush_after_write(true) {}

LogManager::~LogManager() {
    shutDown();
}

LogManager& LogManager::getInstance() {
    static LogManager instance;
    return instance;
}

int LogManager::startUp() {
    // main() and GameManager::startUp() both start the log; never leak the first stream.
    if (log_file)
        fclose(log_file);
    log_file = fopen(LOG_FILE_NAME, "w+");
    return Manager::startUp();
}

void LogManager::shutDown() {
    if (log_file) {
        fclose(log_file);
        log_file = nullptr;
    }
    Manager::shutDown();
}

void LogManager::writeLog(const char* format, ...) const {
    if (!log_file)
        return;
    va_list args;
    va_start(args, format);
    vfprintf(log_file, format, args);
    va_end(args);
    fprintf(log_file, "\n");
    if (flush_after_write)
        fflush(log_file);
}

} // namespace ks
