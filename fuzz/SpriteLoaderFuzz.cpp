// Feeds arbitrary bytes to ResourceManager::loadSprite as a sprite file. A load must either
// register exactly one new sprite (which is unloaded again) or fail with -1 and leave the
// registry exactly as it was; crashes, leaks and sanitizer reports are found by libFuzzer.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "ResourceManager.h"
#include "Sprite.h"

namespace {

const char* const FUZZ_LABEL = "fuzz-input";

// Registered before the first input so that a faulty load has neighbours it could disturb.
const char* const RESIDENT_LABELS[] = {"resident-a", "resident-b", "resident-c"};

std::string input_path;

struct Entry {
    ks::Sprite* p_sprite;
    std::string label;
};

std::vector<Entry> snapshot() {
    ks::ResourceManager& resources = ks::ResourceManager::getInstance();
    std::vector<Entry> entries;
    for (int i = 0; i < resources.getSpriteCount(); i++) {
        ks::Sprite* p_sprite = resources.getSpriteAt(i);
        entries.push_back({p_sprite, p_sprite ? p_sprite->getLabel() : std::string()});
    }
    return entries;
}

bool sameRegistry(const std::vector<Entry>& a, const std::vector<Entry>& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); i++)
        if (a[i].p_sprite != b[i].p_sprite || a[i].label != b[i].label)
            return false;
    return true;
}

bool writeFile(const std::string& path, const uint8_t* data, size_t size) {
    FILE* p_file = fopen(path.c_str(), "wb");
    if (!p_file)
        return false;
    bool ok = fwrite(data, 1, size, p_file) == size;
    return fclose(p_file) == 0 && ok;
}

void removeInputFile() {
    unlink(input_path.c_str());
}

void registerResidents() {
    static const char RESIDENT[] = "frames 1\nwidth 2\nheight 1\ncolor green\nab\nend\neof\n";
    ks::ResourceManager& resources = ks::ResourceManager::getInstance();
    for (const char* label : RESIDENT_LABELS) {
        if (!writeFile(input_path, reinterpret_cast<const uint8_t*>(RESIDENT),
                       sizeof(RESIDENT) - 1) ||
            resources.loadSprite(input_path, label) != 0) {
            fprintf(stderr, "SpriteLoaderFuzz: cannot register the resident sprites\n");
            abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The log stays closed: writeLog drops its lines, so a long run writes nothing to disk.
    char path[] = "/tmp/murkvault-sprite-fuzz-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0) {
        perror("SpriteLoaderFuzz: mkstemp");
        abort();
    }
    close(fd);
    input_path = path;
    atexit(removeInputFile);
    registerResidents();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!writeFile(input_path, data, size))
        abort();
    ks::ResourceManager& resources = ks::ResourceManager::getInstance();
    const std::vector<Entry> before = snapshot();

    if (resources.loadSprite(input_path, FUZZ_LABEL) != 0) {
        if (!sameRegistry(before, snapshot())) {
            fprintf(stderr, "SpriteLoaderFuzz: a failed load changed the registry\n");
            abort();
        }
        return 0;
    }

    // Success: exactly one sprite appended behind the untouched old ones.
    std::vector<Entry> after = snapshot();
    if (after.size() != before.size() + 1 || after.back().label != FUZZ_LABEL ||
        !sameRegistry(before, std::vector<Entry>(after.begin(), after.end() - 1))) {
        fprintf(stderr, "SpriteLoaderFuzz: a successful load did not append one sprite\n");
        abort();
    }
    if (resources.unloadSprite(FUZZ_LABEL) != 0 || !sameRegistry(before, snapshot())) {
        fprintf(stderr, "SpriteLoaderFuzz: unloading the new sprite failed\n");
        abort();
    }
    return 0;
}
