#include "Decimal.h"

namespace ks {

bool parseDecimal(const std::string& text, unsigned long long max, unsigned long long& value) {
    if (text.empty() || text.size() > 19)
        return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<unsigned long long>(c - '0');
    }
    return value <= max;
}

} // namespace ks
