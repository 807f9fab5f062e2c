#include "AudioDevice.h"

namespace ks {

SampleStream::~SampleStream() = default;

Voice::~Voice() = default;

AudioDevice::~AudioDevice() = default;

} // namespace ks
