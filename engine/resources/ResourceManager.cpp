#include "ResourceManager.h"

#include <istream>
#include <utility>

#include "FileBuffer.h"
#include "LogLines.h"
#include "LogManager.h"
#include "Music.h"
#include "RegularFile.h"
#include "Sound.h"
#include "Sprite.h"
#include "SpriteParser.h"

namespace ks {

namespace {

// The three registries keep their entries in loading order: lookups take the first label match,
// removal closes the gap without reordering.
template <typename T> int indexOfLabel(T* const* entries, int count, const std::string& label) {
    for (int i = 0; i < count; i++)
        if (entries[i]->getLabel() == label)
            return i;
    return -1;
}

// Like indexOfLabel, but a missing label is logged for the method (the kind names the entry).
template <typename T>
int locate(T* const* entries, int count, const std::string& label, const char* method,
           const char* kind) {
    int index = indexOfLabel(entries, count, label);
    if (index < 0)
        LogManager::getInstance().writeLog(
            "ResourceManager::%s(): Error: %s with label %s could not be located", method, kind,
            label.c_str());
    return index;
}

// Whether a registry has room for one more entry; when it has not, the file is logged as not
// loaded for the method.
bool hasRoom(int count, int capacity, const char* method, const char* kind,
             const std::string& filename) {
    if (count < capacity)
        return true;
    LogManager::getInstance().writeLog(
        "ResourceManager::%s(): Error: %s registry is full, %s not loaded", method, kind,
        filename.c_str());
    return false;
}

// Sounds and music: registered even when the file fails (the entry reports that itself).
template <typename T>
int registerNew(T** entries, int& count, int capacity, const std::string& filename,
                const std::string& label, const char* method, const char* kind) {
    if (!hasRoom(count, capacity, method, kind, filename))
        return -1;
    entries[count++] = new T(filename, label);
    return 0;
}

// Takes the entry out of the registry and hands it to the caller.
template <typename T> T* takeAt(T** entries, int& count, int index) {
    T* p_entry = entries[index];
    for (int j = index; j < count - 1; j++)
        entries[j] = entries[j + 1];
    entries[--count] = nullptr;
    return p_entry;
}

template <typename T>
int destroyFirst(T** entries, int& count, const std::string& label, const char* method,
                 const char* kind) {
    int index = locate(entries, count, label, method, kind);
    if (index < 0)
        return -1;
    delete takeAt(entries, count, index);
    return 0;
}

template <typename T> void destroyAll(T** entries, int& count) {
    while (count > 0)
        delete takeAt(entries, count, count - 1);
}

} // namespace

ResourceManager::ResourceManager()
    : data_folder(), sprite_count(0), sound_count(0), music_count(0) {
    setType("ResourceManager");
    for (int i = 0; i < MAX_SPRITES; i++)
        p_sprite[i] = nullptr;
    for (int i = 0; i < MAX_SOUNDS; i++)
        p_sound[i] = nullptr;
    for (int i = 0; i < MAX_MUSIC; i++)
        p_music[i] = nullptr;
}

ResourceManager::~ResourceManager() {
    unloadAll();
}

ResourceManager& ResourceManager::getInstance() {
    static ResourceManager instance;
    return instance;
}

std::string ResourceManager::dataPath(const std::string& filename) const {
    if (data_folder.empty() || filename.empty() || filename[0] == '/')
        return filename;
    return data_folder + (data_folder.back() == '/' ? "" : "/") + filename;
}

int ResourceManager::loadSprite(std::string filename, std::string label) {
    const std::string path = dataPath(filename);
    if (!hasRoom(sprite_count, MAX_SPRITES, "loadSprite", "sprite", path))
        return -1;
    LogManager& log = LogManager::getInstance();
    RegularFile file;
    if (file.open(path) != 0) {
        log.writeLog("ResourceManager::loadSprite(): Error: could not open file %s", path.c_str());
        return -1;
    }
    FileBuffer buffer(file);
    std::istream in(&buffer);
    std::string fault;
    std::vector<std::string> warnings;
    std::unique_ptr<Sprite> p_new_sprite = SpriteParser::parse(in, path, label, fault, &warnings);
    for (const std::string& warning : warnings)
        log.writeLog("ResourceManager::loadSprite(): Warning! %s", warning.c_str());
    if (!p_new_sprite) {
        log.writeLog("ResourceManager::loadSprite(): Error: %s", fault.c_str());
        return -1;
    }
    p_sprite[sprite_count++] = p_new_sprite.release();
    return 0;
}

int ResourceManager::unloadSprite(std::string label) {
    int index = indexOfLabel(p_sprite, sprite_count, label);
    if (index < 0) {
        LogManager::getInstance().writeLog(LOG_SPRITE_NOT_LOCATED, label.c_str());
        return -1;
    }
    std::unique_ptr<Sprite> p_old(takeAt(p_sprite, sprite_count, index));
    // Objects hold plain pointers to the sprites they show; with no object alive none can.
    if (!sprites_in_use || sprites_in_use())
        unloaded_sprites.push_back(std::move(p_old));
    return 0;
}

Sprite* ResourceManager::getSprite(std::string label) const {
    int index = indexOfLabel(p_sprite, sprite_count, label);
    return index < 0 ? nullptr : p_sprite[index];
}

int ResourceManager::loadSound(std::string filename, std::string label) {
    // A file that fails to load is reported by the sound itself; it stays registered, silent.
    return registerNew(p_sound, sound_count, MAX_SOUNDS, dataPath(filename), label, "loadSound",
                       "sound");
}

int ResourceManager::unloadSound(std::string label) {
    return destroyFirst(p_sound, sound_count, label, "unloadSound", "sound");
}

Sound* ResourceManager::getSound(std::string label) const {
    int index = indexOfLabel(p_sound, sound_count, label);
    if (index < 0) {
        LogManager::getInstance().writeLog(
            "ResourceManager::getSound(): Sound with label %s not found", label.c_str());
        return nullptr;
    }
    return p_sound[index];
}

int ResourceManager::loadMusic(std::string filename, std::string label) {
    return registerNew(p_music, music_count, MAX_MUSIC, dataPath(filename), label, "loadMusic",
                       "music");
}

int ResourceManager::unloadMusic(std::string label) {
    return destroyFirst(p_music, music_count, label, "unloadMusic", "music");
}

Music* ResourceManager::getMusic(std::string label) const {
    int index = indexOfLabel(p_music, music_count, label);
    return index < 0 ? nullptr : p_music[index];
}

void ResourceManager::unloadAll() {
    destroyAll(p_sprite, sprite_count);
    destroyAll(p_sound, sound_count);
    destroyAll(p_music, music_count);
    unloaded_sprites.clear();
}

} // namespace ks
