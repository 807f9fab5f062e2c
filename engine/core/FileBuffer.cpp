#include "FileBuffer.h"

namespace ks {

FileBuffer::FileBuffer(ByteSource& new_source) : source(new_source) {}

FileBuffer::int_type FileBuffer::underflow() {
    if (gptr() < egptr())
        return traits_type::to_int_type(*gptr());
    const int64_t got = source.read(block, sizeof(block));
    if (got <= 0)
        return traits_type::eof();
    setg(block, block, block + got);
    return traits_type::to_int_type(*gptr());
}

} // namespace ks
