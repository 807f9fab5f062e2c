#pragma once

#include <cstdint>

namespace ks {

/// A readable, seekable run of bytes: a data file (RegularFile), or bytes already in memory
/// (MemorySource). Sprites, sounds, music and replays are all read through one, so that a
/// platform without files of its own (a web page's preloaded data) serves them the same way.
class ByteSource {
public:
    /// Sources are owned and destroyed through this base.
    virtual ~ByteSource();

    /// Copies up to size bytes into p_data; fewer only at the end of the source. The count
    /// copied, or -1 when nothing can be read (a closed file, an error).
    virtual int64_t read(void* p_data, int64_t size) = 0;
    /// Moves to the byte position from the start; the new position, or -1 on failure.
    virtual int64_t seek(int64_t position) = 0;
    /// The current byte position; -1 when closed.
    virtual int64_t tell() = 0;
    /// The size in bytes; -1 when closed.
    virtual int64_t getSize() = 0;
};

} // namespace ks
