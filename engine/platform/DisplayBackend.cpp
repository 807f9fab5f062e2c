#include "DisplayBackend.h"

namespace ks {

DisplayBackend::~DisplayBackend() = default;

} // namespace ks
