#pragma once

#include <SFML/System/InputStream.hpp>

#include "ByteSource.h"

namespace ks {

/// An engine ByteSource read as SFML's InputStream, for what SFML must read itself (the font).
/// The source is borrowed and must outlive the stream.
class SfmlStream : public sf::InputStream {
public:
    /// A stream over the source.
    explicit SfmlStream(ByteSource& new_source) : source(new_source) {}

    /// Up to size bytes; -1 on failure.
    sf::Int64 read(void* p_data, sf::Int64 size) override { return source.read(p_data, size); }
    /// The new position, or -1.
    sf::Int64 seek(sf::Int64 position) override { return source.seek(position); }
    /// The current position, or -1.
    sf::Int64 tell() override { return source.tell(); }
    /// The size, or -1.
    sf::Int64 getSize() override { return source.getSize(); }

private:
    ByteSource& source;
};

} // namespace ks
