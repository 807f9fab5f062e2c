#include "ByteSource.h"

namespace ks {

ByteSource::~ByteSource() = default;

} // namespace ks
