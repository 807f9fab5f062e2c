#pragma once

#include <streambuf>

#include <SFML/System/InputStream.hpp>

namespace ks {

/// A read-only std::streambuf over an sf::InputStream, a block at a time: a RegularFile opened
/// for SFML can then be read with std::istream (std::getline, >>) as well. The stream is only
/// borrowed and must outlive the buffer; nothing else should read from it meanwhile.
class FileBuffer : public std::streambuf {
public:
    /// A buffer reading from the stream's current position.
    explicit FileBuffer(sf::InputStream& new_source);

    FileBuffer(const FileBuffer&) = delete;
    FileBuffer& operator=(const FileBuffer&) = delete;

protected:
    /// The next block of the stream, or end of file when the stream has no more.
    int_type underflow() override;

private:
    sf::InputStream& source;
    char block[4096];
};

} // namespace ks
