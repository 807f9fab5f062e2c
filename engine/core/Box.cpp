#include "Box.h"

#include <sstream>

namespace ks {

std::string toString(int value) {
    std::stringstream ss;
    ss << value;
    return ss.str();
}

} // namespace ks
