#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Manager.h"

namespace ks {

class Music;
class Sound;
class Sprite;

/// How many sprites the registry holds.
const int MAX_SPRITES = 1000;
/// How many sounds the registry holds.
const int MAX_SOUNDS = 128;
/// How many pieces of music the registry holds.
const int MAX_MUSIC = 128;

/// Registries of sprites, sounds and music, found by label (the first match wins). The registries
/// own what they hold and keep it in loading order.
class ResourceManager : public Manager {
public:
    /// The one resource manager, created on first use.
    static ResourceManager& getInstance();

    /// Destroys everything still registered (unloadAll).
    ~ResourceManager() override;

    /// The folder the files of loadSprite, loadSound and loadMusic are read from when their names
    /// are relative: "sprites/ball-sprite.txt" is then read as FOLDER/sprites/ball-sprite.txt.
    /// Empty (the default) reads them from the working directory. Log lines name files as read.
    /// The window's font is the graphics manager's (GraphicsManager::setFontFile).
    void setDataFolder(const std::string& new_data_folder) { data_folder = new_data_folder; }
    /// The folder relative file names are read from; empty for the working directory.
    const std::string& getDataFolder() const { return data_folder; }
    /// The path a file name is read from: in the data folder when one is set and the name is
    /// relative, else the name as it is.
    std::string dataPath(const std::string& filename) const;

    /// Reads a sprite file (a regular file only) and registers the sprite under the label. 0 on
    /// success; -1 on any fault, with the registry unchanged: logged with the file and the line
    /// of the fault, what the line should have held and what it held. A colour name the format
    /// does not know gives a white sprite and a warning.
    int loadSprite(std::string filename, std::string label);
    /// Takes the first sprite with the label out of the registry; -1 (logged) if there is none.
    /// While sprites may be in use (setSpritesInUse) an object may still show the sprite, which
    /// is then kept, found by no lookup, until unloadAll; otherwise it is destroyed at once.
    int unloadSprite(std::string label);
    /// The first sprite with the label, or null (nothing is logged).
    Sprite* getSprite(std::string label) const;
    /// The sprite at a registry index (loading order), or null outside 0 .. count - 1.
    Sprite* getSpriteAt(int index) const {
        return index >= 0 && index < sprite_count ? p_sprite[index] : nullptr;
    }

    /// Registers a sound for the file, even when the file cannot be loaded (it is then silent).
    /// -1 (logged) only when the registry is full.
    int loadSound(std::string filename, std::string label);
    /// Destroys the first sound with the label, stopping it; -1 (logged) if there is none.
    int unloadSound(std::string label);
    /// The first sound with the label, or null (logged).
    Sound* getSound(std::string label) const;

    /// Registers a piece of music for the file, even when the file cannot be opened (it then
    /// plays nothing). -1 (logged) only when the registry is full.
    int loadMusic(std::string filename, std::string label);
    /// Destroys the first music with the label, stopping it; -1 (logged) if there is none.
    int unloadMusic(std::string label);
    /// The first music with the label, or null (nothing is logged).
    Music* getMusic(std::string label) const;

    /// How many sprites are registered (those kept after unloading not counted).
    int getSpriteCount() const { return sprite_count; }
    /// How many sounds are registered.
    int getSoundCount() const { return sound_count; }
    /// How many pieces of music are registered.
    int getMusicCount() const { return music_count; }

    /// Destroys everything registered (and every sprite kept after unloading), leaving the three
    /// registries empty.
    void unloadAll();

    /// Tells whether any sprite may be shown right now (the world sets it: while any object
    /// exists). Without one, an unloaded sprite is always kept until unloadAll.
    void setSpritesInUse(std::function<bool()> new_test) { sprites_in_use = std::move(new_test); }

    ResourceManager(const ResourceManager&) = delete;
    ResourceManager& operator=(const ResourceManager&) = delete;

private:
    ResourceManager();

    std::string data_folder;
    int sprite_count;
    Sprite* p_sprite[MAX_SPRITES];
    /// Unloaded while objects existed: out of the registry, alive until unloadAll.
    std::vector<std::unique_ptr<Sprite>> unloaded_sprites;
    std::function<bool()> sprites_in_use;
    int sound_count;
    Sound* p_sound[MAX_SOUNDS];
    int music_count;
    Music* p_music[MAX_MUSIC];
};

} // namespace ks
