#include "LogManager.h"

#include <cstdarg>
#include <vector>

namespace ks {

namespace {

const char* const LOG_FILE_NAME = "kestrel.log";

const uint64_t FNV_OFFSET = 14695981039346656037ULL;
const uint64_t FNV_PRIME = 1099511628211ULL;

// The beginnings of the lines that tell of frame timing or of the window.
const char* const VOLATILE_PREFIXES[] = {
    "GameManager::run(): cycle ",   // ... missed deadline by N ms
    "GraphicsManager::startUp(): ", // the display, the font, the backend
    "InputManager::startUp(): ",
    "WindowBackend::", // the window, as other programs treat it
};

uint64_t addToChecksum(uint64_t sum, const char* text, size_t length) {
    for (size_t i = 0; i < length; i++) {
        sum ^= static_cast<unsigned char>(text[i]);
        sum *= FNV_PRIME;
    }
    return sum;
}

} // namespace

LogManager::LogManager() : log_file(nullptr), flush_after_write(true), checksum(FNV_OFFSET) {}

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
    checksum = FNV_OFFSET;
    return Manager::startUp();
}

void LogManager::shutDown() {
    if (log_file) {
        fclose(log_file);
        log_file = nullptr;
    }
    Manager::shutDown();
}

bool LogManager::isVolatile(const std::string& line) {
    for (const char* prefix : VOLATILE_PREFIXES)
        if (line.compare(0, std::char_traits<char>::length(prefix), prefix) == 0)
            return true;
    return false;
}

void LogManager::writeLog(const char* format, ...) const {
    // Formatted once into memory, for the checksum and the file alike.
    char small[512];
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int length = vsnprintf(small, sizeof(small), format, args);
    va_end(args);
    std::vector<char> large;
    const char* text = small;
    if (length >= static_cast<int>(sizeof(small))) {
        large.resize(static_cast<size_t>(length) + 1);
        vsnprintf(large.data(), large.size(), format, again);
        text = large.data();
    }
    va_end(again);
    if (length < 0)
        return;

    std::string line(text, static_cast<size_t>(length));
    line += '\n';
    if (!isVolatile(line))
        checksum = addToChecksum(checksum, line.data(), line.size());

    if (!log_file)
        return;
    fwrite(line.data(), 1, line.size(), log_file);
    if (flush_after_write)
        fflush(log_file);
}

} // namespace ks
