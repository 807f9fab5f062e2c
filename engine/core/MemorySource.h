#pragma once

#include <string>

#include "ByteSource.h"

namespace ks {

/// Bytes held in memory, read as a ByteSource: data a platform has already loaded, or what a
/// test builds.
class MemorySource : public ByteSource {
public:
    /// A source over a copy of the bytes.
    explicit MemorySource(std::string init_bytes = "");

    int64_t read(void* p_data, int64_t size) override;
    int64_t seek(int64_t position) override;
    int64_t tell() override;
    int64_t getSize() override;

private:
    std::string bytes;
    int64_t position;
};

} // namespace ks
