#include "Event.h"

namespace ks {

Event::Event() : event_type(UNDEFINED_EVENT) {}

Event::~Event() = default;

} // namespace ks
