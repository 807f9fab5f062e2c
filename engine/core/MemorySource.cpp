#include "MemorySource.h"

#include <cstring>
#include <utility>

namespace ks {

MemorySource::MemorySource(std::string init_bytes) : bytes(std::move(init_bytes)), position(0) {}

int64_t MemorySource::read(void* p_data, int64_t size) {
    if (size < 0)
        return -1;
    const int64_t left = static_cast<int64_t>(bytes.size()) - position;
    const int64_t count = size < left ? size : left;
    if (count > 0)
        memcpy(p_data, bytes.data() + position, static_cast<size_t>(count));
    position += count;
    return count;
}

int64_t MemorySource::seek(int64_t new_position) {
    if (new_position < 0 || new_position > static_cast<int64_t>(bytes.size()))
        return -1;
    position = new_position;
    return position;
}

int64_t MemorySource::tell() {
    return position;
}

int64_t MemorySource::getSize() {
    return static_cast<int64_t>(bytes.size());
}

} // namespace ks
