#pragma once

#include <string>

#include <SFML/Config.hpp>
#include <SFML/System/InputStream.hpp>

namespace ks {

/// A data file open for reading, refused unless it is a regular file. A FIFO would block an
/// ordinary open for ever, a device such as /dev/zero never ends, and a directory has no data:
/// all are refused at once, without waiting for a writer. It reads as SFML's InputStream, so
/// sounds and music decode straight from it.
class RegularFile : public sf::InputStream {
public:
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
    sf::Int64 read(void* p_data, sf::Int64 size) override;
    /// Moves to the byte position; the new position, or -1 on failure.
    sf::Int64 seek(sf::Int64 position) override;
    /// The current byte position; -1 when closed.
    sf::Int64 tell() override;
    /// The size when it was opened; -1 when closed.
    sf::Int64 getSize() override;

private:
    int fd;
    sf::Int64 size;
    /// The errno of the last open() that failed, NOT_REGULAR, or 0 after success.
    int open_error;
    static const int NOT_REGULAR = -1;
};

} // namespace ks
