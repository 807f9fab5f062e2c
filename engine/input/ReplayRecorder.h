#pragma once

#include <cstdint>
#include <string>

#include "Replay.h"

namespace ks {

/// Writes a replay file as a game is played: the header with the seed, then each delivered input
/// and each time mark as a line of its own, written at once so that a game that dies still leaves
/// them, and finally the end line with the last cycle and the log's checksum.
///
/// Only a regular file is recorded to (one that does not exist yet is created): never a FIFO or
/// a device, which could block or swallow the game, nor the log file, nor a file another game is
/// recording to (it holds an advisory lock on the file while it records). open() checks all this
/// without changing the file; begin() empties it and starts.
///
/// Every write is checked. The first that fails (a full disk, a file-size limit, an I/O error)
/// stops the recording: the file keeps the lines written before, hasFailed() turns true, and
/// everything after is dropped.
class ReplayRecorder {
public:
    /// A recorder with no file open.
    ReplayRecorder() = default;
    /// Closes the file (without an end line) if one is open; a file it created and never began
    /// is removed again.
    ~ReplayRecorder();

    ReplayRecorder(const ReplayRecorder&) = delete;
    ReplayRecorder& operator=(const ReplayRecorder&) = delete;

    /// Opens the file for recording, creating it if need be, without changing what it holds (a
    /// file open before is closed first). 0; or -1, with getError() saying why ("cannot record to
    /// p: not a regular file"), when it is not a regular file, is the log file, is being recorded
    /// to by another game, or cannot be opened for writing. Never blocks.
    int open(const std::string& filename);
    /// Empties the file and writes the header and the seed line. 0, or -1 when that fails.
    int begin(unsigned long seed);
    /// Writes the line of one input (nothing when not recording).
    void write(const Replay::Input& input);
    /// Writes a time mark: the log's checksum after the cycle.
    void writeTime(int cycle, uint64_t checksum);
    /// Writes the end line with the last cycle and the log's checksum, and closes the file.
    void close(int last_cycle, uint64_t checksum);

    /// The cycle under way: the one the died line names if a crash signal ends the game now.
    void setCycle(int cycle);
    /// Writes "CYCLE died SIGNAL" to the file of the recorder begun last, if it still records,
    /// and then no more. For the handler of a crash signal: it does nothing but a write() of a
    /// line prepared by setCycle(), which is safe inside a signal handler.
    static void writeDeathLine(int signal_number);

    /// Whether a file is open.
    bool isOpen() const { return fd >= 0; }
    /// Whether a write to the file failed, which stopped the recording.
    bool hasFailed() const { return failed_errno != 0; }
    /// Why open() or begin() refused or why recording stopped ("cannot write game.rpl: disk full
    /// (No space left on device)"); empty when nothing went wrong.
    std::string getError() const;
    /// The cycle whose line could not be written (-1 when none failed).
    int getFailedCycle() const { return failed_cycle; }
    /// How many cycles the file holds: the cycles up to that of its last complete line, which a
    /// replay of it plays (0 before the first).
    int getCyclesHeld() const { return last_written_cycle + 1; }
    /// The file's name as given to open().
    const std::string& getFileName() const { return filename; }

private:
    /// Writes one line, the cycle's; false, and the recording stopped, when the write fails.
    bool writeLine(const std::string& line, int cycle);
    /// Closes the file, and stops being the one a crash signal writes to.
    void release();

    std::string filename;
    int fd = -1;
    bool created = false;
    bool begun = false;
    std::string refusal;
    int failed_errno = 0;
    int failed_cycle = -1;
    int last_written_cycle = -1;
};

} // namespace ks
