#include "ResourceManager.h"

#include <cctype>
#include <climits>
#include <fstream>

#include <SFML/System/Err.hpp>

#include "Color.h"
#include "Frame.h"
#include "LogManager.h"
#include "Music.h"
#include "Sound.h"
#include "Sprite.h"

namespace ks {

namespace {

// Loads larger than these would only come from a corrupt file and could exhaust memory.
const int MAX_SPRITE_FRAMES = 100000;
const long long MAX_SPRITE_CELLS = 1000000;

// Why a header number could not be used.
enum NumberFault {
    NUMBER_OK = 0,
    NUMBER_LINE_TOO_SHORT,
    NUMBER_NO_DIGITS,
    NUMBER_OUT_OF_RANGE,
    NUMBER_NEGATIVE,
    NUMBER_TOO_LARGE,
};

const char* faultText(NumberFault fault) {
    switch (fault) {
    case NUMBER_LINE_TOO_SHORT:
        return "line too short";
    case NUMBER_NO_DIGITS:
        return "no number";
    case NUMBER_OUT_OF_RANGE:
        return "number out of range";
    case NUMBER_NEGATIVE:
        return "negative number";
    case NUMBER_TOO_LARGE:
        return "number too large";
    default:
        return "";
    }
}

// Reads a decimal int the way strtol does (leading white space, optional sign, digits, the rest
// ignored), but reports a missing number or an overflow instead of guessing.
NumberFault parseInt(const std::string& text, int& result) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        i++;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        i++;
    }
    long long value = 0;
    bool any_digit = false;
    bool overflow = false;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); i++) {
        any_digit = true;
        if (!overflow) {
            value = value * 10 + (text[i] - '0');
            if (value > static_cast<long long>(INT_MAX) + 1)
                overflow = true;
        }
    }
    if (!any_digit)
        return NUMBER_NO_DIGITS;
    if (negative)
        value = -value;
    if (overflow || value > INT_MAX || value < INT_MIN)
        return NUMBER_OUT_OF_RANGE;
    result = static_cast<int>(value);
    return NUMBER_OK;
}

// The header value that starts at index: a non-negative int no larger than limit.
NumberFault headerNumber(const std::string& line, size_t index, int limit, int& result) {
    if (line.size() < index)
        return NUMBER_LINE_TOO_SHORT;
    NumberFault fault = parseInt(line.substr(index), result);
    if (fault != NUMBER_OK)
        return fault;
    if (result < 0)
        return NUMBER_NEGATIVE;
    if (result > limit)
        return NUMBER_TOO_LARGE;
    return NUMBER_OK;
}

// One line without its line ending; "\r\n" counts as a line ending. Past the end of the file the
// line comes back empty and the result is false.
bool readLine(std::ifstream& in, std::string& line) {
    bool got = static_cast<bool>(std::getline(in, line));
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return got;
}

int colorFromName(const std::string& name) {
    static const char* const NAMES[] = {"black", "red",     "green",  "blue",
                                        "cyan",  "magenta", "yellow", "white"};
    for (int c = BLACK; c <= WHITE; c++)
        if (name == NAMES[c])
            return c;
    return WHITE;
}

// The three registries keep their entries in loading order: lookups take the first label match,
// removal closes the gap without reordering.
template <typename T> int indexOfLabel(T* const* entries, int count, const std::string& label) {
    for (int i = 0; i < count; i++)
        if (entries[i]->getLabel() == label)
            return i;
    return -1;
}

template <typename T> void destroyAt(T** entries, int& count, int index) {
    delete entries[index];
    for (int j = index; j < count - 1; j++)
        entries[j] = entries[j + 1];
    entries[--count] = nullptr;
}

template <typename T> void destroyAll(T** entries, int& count) {
    while (count > 0)
        destroyAt(entries, count, count - 1);
}

} // namespace

ResourceManager::ResourceManager() : sprite_count(0), sound_count(0), music_count(0) {
    setType("ResourceManager");
    // SFML's error stream is a function-local static too. Made first, it is destroyed after this
    // registry, whose sounds still write to it at exit when there is no audio device.
    sf::err();
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

int ResourceManager::loadSprite(std::string filename, std::string label) {
    LogManager& log = LogManager::getInstance();
    if (sprite_count >= MAX_SPRITES) {
        log.writeLog("ResourceManager::loadSprite(): Error: sprite registry is full, %s not loaded",
                     filename.c_str());
        return -1;
    }

    std::ifstream sprite_file(filename);
    if (!sprite_file.is_open()) {
        log.writeLog("ResourceManager::loadSprite(): Error: could not open file %s",
                     filename.c_str());
        return -1;
    }

    std::string line;
    int frames = 0;
    int width = 0;
    int height = 0;

    readLine(sprite_file, line);
    NumberFault fault = headerNumber(line, 6, MAX_SPRITE_FRAMES, frames);
    if (fault != NUMBER_OK) {
        log.writeLog("ResourceManager::loadSprite(): Error: bad frame count in file %s (%s)",
                     filename.c_str(), faultText(fault));
        return -1;
    }
    readLine(sprite_file, line);
    fault = headerNumber(line, 5, INT_MAX, width);
    if (fault != NUMBER_OK) {
        log.writeLog("ResourceManager::loadSprite(): Error: bad width in file %s (%s)",
                     filename.c_str(), faultText(fault));
        return -1;
    }
    readLine(sprite_file, line);
    fault = headerNumber(line, 6, INT_MAX, height);
    if (fault != NUMBER_OK) {
        log.writeLog("ResourceManager::loadSprite(): Error: bad height in file %s (%s)",
                     filename.c_str(), faultText(fault));
        return -1;
    }
    if (static_cast<long long>(width) * height > MAX_SPRITE_CELLS) {
        log.writeLog(
            "ResourceManager::loadSprite(): Error: frame size %i x %i too large in file %s", width,
            height, filename.c_str());
        return -1;
    }
    readLine(sprite_file, line);
    if (line.size() < 6) {
        log.writeLog("ResourceManager::loadSprite(): Error: bad color in file %s (line too short)",
                     filename.c_str());
        return -1;
    }
    int color = colorFromName(line.substr(6));

    Sprite* p_new_sprite = new Sprite(frames, width, height, color);
    p_new_sprite->setLabel(label);

    for (int f = 0; f < frames; f++) {
        std::string frame_str;
        for (int row = 0; row < height; row++) {
            bool got = readLine(sprite_file, line);
            // Zero-width rows would match the empty line read past the end of the file forever.
            if (!got && width == 0) {
                log.writeLog("ResourceManager::loadSprite(): Error: file %s ends inside a frame",
                             filename.c_str());
                delete p_new_sprite;
                return -1;
            }
            if (static_cast<long long>(line.size()) != width) {
                log.writeLog("ResourceManager::loadSprite(): Error: sprite width %i does not "
                             "match specified width: %s",
                             static_cast<int>(line.size()), line.c_str());
                delete p_new_sprite;
                return -1;
            }
            frame_str += line;
        }
        readLine(sprite_file, line);
        if (line != "end") {
            log.writeLog("ResourceManager::loadSprite(): Error: sprite height does not match "
                         "specified height");
            delete p_new_sprite;
            return -1;
        }
        p_new_sprite->addFrame(Frame(width, height, frame_str));
    }

    readLine(sprite_file, line);
    if (line != "eof") {
        log.writeLog("ResourceManager::loadSprite(): Error: sprite %s frame count does not match "
                     "specified count",
                     label.c_str());
        delete p_new_sprite;
        return -1;
    }

    p_sprite[sprite_count] = p_new_sprite;
    sprite_count++;
    return 0;
}

int ResourceManager::unloadSprite(std::string label) {
    int index = indexOfLabel(p_sprite, sprite_count, label);
    if (index < 0) {
        LogManager::getInstance().writeLog(
            "ResourceManager::unloadSpirte(): Error: sprite with label %s could not be located",
            label.c_str());
        return -1;
    }
    destroyAt(p_sprite, sprite_count, index);
    return 0;
}

Sprite* ResourceManager::getSprite(std::string label) const {
    int index = indexOfLabel(p_sprite, sprite_count, label);
    return index < 0 ? nullptr : p_sprite[index];
}

int ResourceManager::loadSound(std::string filename, std::string label) {
    if (sound_count >= MAX_SOUNDS) {
        LogManager::getInstance().writeLog(
            "ResourceManager::loadSound(): Error: sound registry is full, %s not loaded",
            filename.c_str());
        return -1;
    }
    // A file that fails to load is reported by the sound itself; it stays registered, silent.
    p_sound[sound_count] = new Sound(filename, label);
    sound_count++;
    return 0;
}

int ResourceManager::unloadSound(std::string label) {
    int index = indexOfLabel(p_sound, sound_count, label);
    if (index < 0) {
        LogManager::getInstance().writeLog(
            "ResourceManager::unloadSound(): Error: sound with label %s could not be located",
            label.c_str());
        return -1;
    }
    destroyAt(p_sound, sound_count, index);
    return 0;
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
    if (music_count >= MAX_MUSIC) {
        LogManager::getInstance().writeLog(
            "ResourceManager::loadMusic(): Error: music registry is full, %s not loaded",
            filename.c_str());
        return -1;
    }
    p_music[music_count] = new Music(filename, label);
    music_count++;
    return 0;
}

int ResourceManager::unloadMusic(std::string label) {
    int index = indexOfLabel(p_music, music_count, label);
    if (index < 0) {
        LogManager::getInstance().writeLog(
            "ResourceManager::unloadMusic(): Error: music with label %s could not be located",
            label.c_str());
        return -1;
    }
    destroyAt(p_music, music_count, index);
    return 0;
}

Music* ResourceManager::getMusic(std::string label) const {
    int index = indexOfLabel(p_music, music_count, label);
    return index < 0 ? nullptr : p_music[index];
}

void ResourceManager::unloadAll() {
    destroyAll(p_sprite, sprite_count);
    destroyAll(p_sound, sound_count);
    destroyAll(p_music, music_count);
}

} // namespace ks
