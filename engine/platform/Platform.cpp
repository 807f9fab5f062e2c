#include "Platform.h"

namespace ks {

Platform::~Platform() = default;

} // namespace ks
