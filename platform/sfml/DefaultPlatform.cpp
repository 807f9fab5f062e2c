#include "DefaultPlatform.h"

#include "SfmlPlatform.h"

namespace ks {

// In a desktop build, the platform with a display is the desktop's.
DefaultPlatform::DefaultPlatform() : platform(std::make_unique<SfmlPlatform>()) {}

} // namespace ks
