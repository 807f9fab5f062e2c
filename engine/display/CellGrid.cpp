#include "CellGrid.h"

namespace ks {

CellGrid::CellGrid(int init_width, int init_height)
    : width(init_width > 0 ? init_width : 0), height(init_height > 0 ? init_height : 0),
      chars(static_cast<size_t>(width) * height, ' '),
      colors(static_cast<size_t>(width) * height, -1) {}

void CellGrid::clear() {
    chars.assign(chars.size(), ' ');
    colors.assign(colors.size(), -1);
}

void CellGrid::set(int x, int y, char ch, int color) {
    if (!contains(x, y))
        return;
    size_t index = static_cast<size_t>(y) * width + x;
    chars[index] = ch;
    colors[index] = color;
}

char CellGrid::getChar(int x, int y) const {
    return contains(x, y) ? chars[static_cast<size_t>(y) * width + x] : ' ';
}

int CellGrid::getColor(int x, int y) const {
    return contains(x, y) ? colors[static_cast<size_t>(y) * width + x] : -1;
}

std::string CellGrid::rowText(int y) const {
    if (y < 0 || y >= height)
        return std::string(width, ' ');
    return std::string(chars.begin() + static_cast<long>(y) * width,
                       chars.begin() + static_cast<long>(y + 1) * width);
}

std::string CellGrid::toText() const {
    std::string text;
    for (int y = 0; y < height; y++)
        text += rowText(y) + "\n";
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            const int color = getColor(x, y);
            text += color >= 0 && color <= 9 ? static_cast<char>('0' + color) : '.';
        }
        text += "\n";
    }
    return text;
}

bool CellGrid::operator==(const CellGrid& other) const {
    return width == other.width && height == other.height && chars == other.chars &&
           colors == other.colors;
}

} // namespace ks
