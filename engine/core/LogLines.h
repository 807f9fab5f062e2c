#pragma once

namespace ks {

/// \file
/// Log lines the engine keeps word for word although their words say less than, or other than,
/// what happened: games' recorded logs and their checksums (the replay summary line) depend on
/// these exact texts, so they are kept and explained here instead of being reworded. Every other
/// engine line names the class and method that wrote it and says what it means.

/// Written by WorldManager::removeObject (and so by every Object destructor) when the object was
/// in the world and has been taken out of it. The method named is not the one that wrote it.
constexpr char LOG_OBJECT_REMOVED[] =
    "WorldManager::insertObject(Object * object): Object with id %i successfully removed";

/// Written by WorldManager::removeObject when the object was not in the world, which is the usual
/// case when an object is destroyed after it left the world (markForDelete, then an update, then
/// delete or adoptObject): nothing went wrong. Only a removal asked for by the game of an object
/// it believed in the world is a fault.
constexpr char LOG_OBJECT_NOT_REMOVED[] =
    "WorldManager::insertObject(Object * object): Object with id %i not successfully removed";

/// Written by WorldManager::insertObject when the world holds MAX_OBJECTS objects already: the
/// object exists but is not in the world (never moved, drawn or sent events).
constexpr char LOG_OBJECT_NOT_ADDED[] =
    "WorldManager::insertObject(Object * object): Object with id %i not successfully added";

/// Written by WorldManager::moveObject after it sent EventOut to an object leaving the window's
/// extent (it is the world, not the graphics manager, that moves objects).
constexpr char LOG_WENT_OUT_OF_BOUNDS[] =
    "GraphicsManager::moveObject(): Object with id %i went out of bounds";

/// Written by the input manager before it sends a KEY_DOWN for the A key (34), and for no other
/// key; it names no class.
constexpr char LOG_PRESSING_KEY[] = "pressing key %d";

/// Written by ResourceManager::unloadSprite for a label no sprite has; the method's name is
/// misspelt.
constexpr char LOG_SPRITE_NOT_LOCATED[] =
    "ResourceManager::unloadSpirte(): Error: sprite with label %s could not be located";

} // namespace ks
