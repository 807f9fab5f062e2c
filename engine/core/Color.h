#pragma once

namespace ks {

/// Colour numbers shared by sprites and every drawing call.
enum Color {
    BLACK = 0,
    RED = 1,
    GREEN = 2,
    BLUE = 3,
    CYAN = 4,
    MAGENTA = 5,
    YELLOW = 6,
    WHITE = 7,
};

} // namespace ks
