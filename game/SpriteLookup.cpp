#include "SpriteLookup.h"

#include "LogManager.h"
#include "ResourceManager.h"

ks::Sprite* lookUpSprite(const std::string& owner, const std::string& label) {
    ks::Sprite* p_sprite = ks::ResourceManager::getInstance().getSprite(label);
    if (!p_sprite)
        ks::LogManager::getInstance().writeLog("%s::%s(): Warning! Sprite '%s' not found",
                                               owner.c_str(), owner.c_str(), label.c_str());
    return p_sprite;
}
