#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ByteSource.h"

namespace ks {

/// A data file open for reading, refused unless it is a regular file. A FIFO would block an
/// ordinary open for ever, a device such as /dev/zero never ends, and a directory has no data:
/// all are refused at once, without waiting for a writer.
///
/// Reads are buffered a block at a time, so that a parser asking for a few bytes at a time costs
/// one system call per block, not one per request.
class RegularFile : public ByteSource {
public:
    /// How many bytes one system call reads at most.
    static const int64_t BLOCK_SIZE = 64 * 1024;

    /// A closed file.
    RegularFile();
    /// Closes the file.
    ~RegularFile() override;

    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    /// Opens the file (following links), closing the one open before. 0 on success; -1 when the
    /// name cannot be opened or is not a regular file. Logs nothing: the caller says what the
    /// file was for, and getOpenError() why it was refused.
    int open(const std::string& filename);
    /// Why the last open() failed ("No such file or directory", "not a regular file", ...);
    /// empty after a successful one.
    std::string getOpenError() const;
    /// Closes the file, if one is open.
    void close();
    /// Whether a file is open.
    bool isOpen() const { return fd >= 0; }

    /// Up to size bytes (fewer only at the end of the file); -1 when nothing can be read.
    int64_t read(void* p_data, int64_t size) override;
    /// Moves to the byte position (past the end reads nothing); the new position, or -1 when
    /// closed or negative.
    int64_t seek(int64_t position) override;
    /// The current byte position; -1 when closed.
    int64_t tell() override;
    /// The size when it was opened; -1 when closed.
    int64_t getSize() override;

private:
    /// Reads from the file at the position, straight into p_data: the count, or -1.
    int64_t readAt(int64_t at, char* p_data, int64_t wanted);

    int fd;
    int64_t size;
    /// The errno of the last open() that failed, NOT_REGULAR, or 0 after success.
    int open_error;
    static const int NOT_REGULAR = -1;

    /// Where the next read starts.
    int64_t position;
    /// The block last read: its bytes and where in the file it starts.
    std::unique_ptr<char[]> block;
    int64_t block_start;
    int64_t block_length;
};

} // namespace ks
