#include "WebKeys.h"

#include <cstring>

namespace ks {

namespace {

struct NamedKey {
    const char* code;
    PhysicalKey key;
};

// The keys whose codes are not a prefix and a letter or number.
const NamedKey NAMED_KEYS[] = {
    {"Escape", PhysicalKey::ESCAPE},
    {"ControlLeft", PhysicalKey::LCONTROL},
    {"ShiftLeft", PhysicalKey::LSHIFT},
    {"AltLeft", PhysicalKey::LALT},
    {"MetaLeft", PhysicalKey::LSYSTEM},
    {"OSLeft", PhysicalKey::LSYSTEM}, // older browsers' name for it
    {"ControlRight", PhysicalKey::RCONTROL},
    {"ShiftRight", PhysicalKey::RSHIFT},
    {"AltRight", PhysicalKey::RALT},
    {"MetaRight", PhysicalKey::RSYSTEM},
    {"OSRight", PhysicalKey::RSYSTEM},
    {"ContextMenu", PhysicalKey::MENU},
    {"BracketLeft", PhysicalKey::LBRACKET},
    {"BracketRight", PhysicalKey::RBRACKET},
    {"Semicolon", PhysicalKey::SEMICOLON},
    {"Comma", PhysicalKey::COMMA},
    {"Period", PhysicalKey::PERIOD},
    {"Quote", PhysicalKey::QUOTE},
    {"Slash", PhysicalKey::SLASH},
    {"Backslash", PhysicalKey::BACKSLASH},
    {"Backquote", PhysicalKey::TILDE},
    {"Equal", PhysicalKey::EQUAL},
    {"Minus", PhysicalKey::HYPHEN},
    {"Space", PhysicalKey::SPACE},
    {"Enter", PhysicalKey::ENTER},
    {"NumpadEnter", PhysicalKey::ENTER},
    {"Backspace", PhysicalKey::BACKSPACE},
    {"Tab", PhysicalKey::TAB},
    {"PageUp", PhysicalKey::PAGEUP},
    {"PageDown", PhysicalKey::PAGEDOWN},
    {"End", PhysicalKey::END},
    {"Home", PhysicalKey::HOME},
    {"Insert", PhysicalKey::INSERT},
    {"Delete", PhysicalKey::DELETE},
    {"NumpadAdd", PhysicalKey::ADD},
    {"NumpadSubtract", PhysicalKey::SUBTRACT},
    {"NumpadMultiply", PhysicalKey::MULTIPLY},
    {"NumpadDivide", PhysicalKey::DIVIDE},
    {"ArrowLeft", PhysicalKey::LEFT},
    {"ArrowRight", PhysicalKey::RIGHT},
    {"ArrowUp", PhysicalKey::UP},
    {"ArrowDown", PhysicalKey::DOWN},
    {"Pause", PhysicalKey::PAUSE},
};

PhysicalKey offset(PhysicalKey first, int by) {
    return static_cast<PhysicalKey>(static_cast<int>(first) + by);
}

// The number after the prefix, when the code is the prefix and 1 or 2 digits in first..last.
bool numberAfter(const std::string& code, const char* prefix, int first, int last, int& number) {
    const size_t length = strlen(prefix);
    if (code.compare(0, length, prefix) != 0 || code.size() <= length || code.size() > length + 2)
        return false;
    number = 0;
    for (size_t i = length; i < code.size(); i++) {
        if (code[i] < '0' || code[i] > '9')
            return false;
        number = number * 10 + (code[i] - '0');
    }
    // "F01" is no key.
    if (code.size() == length + 2 && code[length] == '0')
        return false;
    return number >= first && number <= last;
}

} // namespace

PhysicalKey WebKeys::fromCode(const std::string& code) {
    if (code.size() == 4 && code.compare(0, 3, "Key") == 0 && code[3] >= 'A' && code[3] <= 'Z')
        return offset(PhysicalKey::A, code[3] - 'A');
    int number;
    if (numberAfter(code, "Digit", 0, 9, number))
        return offset(PhysicalKey::NUM0, number);
    if (numberAfter(code, "Numpad", 0, 9, number))
        return offset(PhysicalKey::NUMPAD0, number);
    if (numberAfter(code, "F", 1, 15, number))
        return offset(PhysicalKey::F1, number - 1);
    for (const NamedKey& named : NAMED_KEYS)
        if (code == named.code)
            return named.key;
    return PhysicalKey::UNKNOWN;
}

bool WebKeys::leftToBrowser(PhysicalKey key, bool control_or_meta) {
    const int index = static_cast<int>(key);
    const bool function_key =
        index >= static_cast<int>(PhysicalKey::F1) && index <= static_cast<int>(PhysicalKey::F15);
    return control_or_meta || function_key || key == PhysicalKey::TAB;
}

} // namespace ks
