#include "KeyTable.h"

namespace ks {

constexpr KeyRow KeyTable::ROWS[];

int KeyTable::fromQueue(PhysicalKey key) {
    if (key == PhysicalKey::UNKNOWN)
        return Keyboard::UNDEFINED_KEY;
    for (const KeyRow& row : ROWS)
        if (row.from_queue == key)
            return row.code;
    return Keyboard::UNDEFINED_KEY;
}

int KeyTable::fromHeld(PhysicalKey key) {
    if (key == PhysicalKey::UNKNOWN)
        return Keyboard::UNDEFINED_KEY;
    for (size_t i = 0; i < HELD_COUNT; i++)
        if (ROWS[i].from_held == key)
            return ROWS[i].code;
    return Keyboard::UNDEFINED_KEY;
}

const char* KeyTable::nameOf(int code) {
    for (const KeyRow& row : ROWS)
        if (row.code == code)
            return row.name;
    return "UNDEFINED_KEY";
}

int KeyTable::codeOf(const std::string& name) {
    for (const KeyRow& row : ROWS)
        if (name == row.name)
            return row.code;
    return -1;
}

} // namespace ks
