#pragma once

#include <string>

namespace ks {
class Sprite;
}

// The registered sprite with the label, or null after logging the game's warning for a missing
// sprite, "<owner>::<owner>(): Warning! Sprite '<label>' not found" (owner: the class that
// wanted it). A null sprite given to Object::setSprite changes nothing.
ks::Sprite* lookUpSprite(const std::string& owner, const std::string& label);
