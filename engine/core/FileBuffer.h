#pragma once

#include <streambuf>

#include "ByteSource.h"

namespace ks {

/// A read-only std::streambuf over a ByteSource, a block at a time: a RegularFile can then be
/// read with std::istream (std::getline, >>). The source is only borrowed and must outlive the
/// buffer; nothing else should read from it meanwhile.
class FileBuffer : public std::streambuf {
public:
    /// A buffer reading from the source's current position.
    explicit FileBuffer(ByteSource& new_source);

    FileBuffer(const FileBuffer&) = delete;
    FileBuffer& operator=(const FileBuffer&) = delete;

protected:
    /// The next block of the source, or end of file when the source has no more.
    int_type underflow() override;

private:
    ByteSource& source;
    char block[4096];
};

} // namespace ks
