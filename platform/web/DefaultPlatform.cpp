#include "DefaultPlatform.h"

#include "WebPlatform.h"

namespace ks {

// In a web build, the platform with a display is the page's.
DefaultPlatform::DefaultPlatform() : platform(std::make_unique<WebPlatform>()) {}

} // namespace ks
