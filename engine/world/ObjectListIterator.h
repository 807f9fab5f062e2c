#pragma once

#include "ObjectList.h"

namespace ks {

class Object;

/// Walks a list in place: changes made to the list during a walk are seen by the walk. A null
/// list is walked as an empty one.
///
/// The usual walk: `for (ObjectListIterator it(&list); !it.isDone(); it.next())`. Removing the
/// current entry, or one before it, makes the walk skip the entry after the current one; to
/// change the world while walking its objects, walk a copy (WorldManager::getAllObjects).
class ObjectListIterator {
public:
    /// A walk standing on the list's first entry; the list must outlive it.
    ObjectListIterator(const ObjectList* p_list);
    /// Another walk of the same list from the same place.
    ObjectListIterator(const ObjectListIterator& other) = default;
    /// Walks the other's list from the other's place.
    ObjectListIterator& operator=(const ObjectListIterator& other) = default;
    /// Leaves the list alone.
    virtual ~ObjectListIterator();

    /// Back to the first entry.
    void first() { index = 0; }
    /// Moves on; past the end it stays past the end.
    void next() {
        if (index < MAX_OBJECTS)
            index++;
    }
    /// Whether the walk has passed the last entry (at once for an empty or null list).
    bool isDone() const { return !p_list || index >= p_list->count; }
    /// Null once the walk is done.
    Object* currentObject() const { return isDone() ? nullptr : p_list->list[index]; }

private:
    const ObjectList* p_list;
    int index;
};

} // namespace ks
