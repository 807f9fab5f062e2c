#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Manager.h"

namespace ks {

class Music;
class Sound;
class Sprite;

const int MAX_SPRITES = 1000;
const int MAX_SOUNDS = 128;
const int MAX_MUSIC = 128;

// Registries of sprites, sounds and music, found by label (the first match wins). The registries
// own what they hold and keep it in loading order.
class ResourceManager : public Manager {
public:
    static ResourceManager& getInstance();

    ~ResourceManager() override;

    // Reads a sprite file (a regular file only) and registers the sprite under the label. 0 on
    // success; -1 (logged) on any fault, with the registry unchanged.
    int loadSprite(std::string filename, std::string label);
    // Takes the first sprite with the label out of the registry; -1 (logged) if there is none.
    // While any object exists it may still show the sprite, which is then kept, found by no
    // lookup, until unloadAll; otherwise the sprite is destroyed at once.
    int unloadSprite(std::string label);
    // The first sprite with the label, or null (nothing is logged).
    Sprite* getSprite(std::string label) const;
    // The sprite at a registry index (loading order), or null outside 0 .. count - 1.
    Sprite* getSpriteAt(int index) const {
        return index >= 0 && index < sprite_count ? p_sprite[index] : nullptr;
    }

    // Registers a sound for the file, even when the file cannot be loaded (it is then silent).
    // -1 only when the registry is full.
    int loadSound(std::string filename, std::string label);
    int unloadSound(std::string label);
    // The first sound with the label, or null (logged).
    Sound* getSound(std::string label) const;

    int loadMusic(std::string filename, std::string label);
    int unloadMusic(std::string label);
    // The first music with the label, or null (nothing is logged).
    Music* getMusic(std::string label) const;

    int getSpriteCount() const { return sprite_count; }
    int getSoundCount() const { return sound_count; }
    int getMusicCount() const { return music_count; }

    // Destroys everything registered (and every sprite kept after unloading), leaving the three
    // registries empty.
    void unloadAll();

    ResourceManager(const ResourceManager&) = delete;
    ResourceManager& operator=(const ResourceManager&) = delete;

private:
    ResourceManager();

    int sprite_count;
    Sprite* p_sprite[MAX_SPRITES];
    // Unloaded while objects existed: out of the registry, alive until unloadAll.
    std::vector<std::unique_ptr<Sprite>> unloaded_sprites;
    int sound_count;
    Sound* p_sound[MAX_SOUNDS];
    int music_count;
    Music* p_music[MAX_MUSIC];
};

} // namespace ks
