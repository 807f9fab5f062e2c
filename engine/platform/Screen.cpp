#include "Screen.h"

namespace ks {

Screen::~Screen() = default;

} // namespace ks
