#pragma once

#include "ObjectList.h"

namespace ks {

class Object;

// Walks a list in place: changes made to the list during a walk are seen by the walk. A null
// list is walked as an empty one.
class ObjectListIterator {
public:
    ObjectListIterator(const ObjectList* p_list);
    ObjectListIterator(const ObjectListIterator& other) = default;
    ObjectListIterator& operator=(const ObjectListIterator& other) = default;
    virtual ~ObjectListIterator();

    void first() { index = 0; }
    // Moves on; past the end it stays past the end.
    void next() {
        if (index < MAX_OBJECTS)
            index++;
    }
    bool isDone() const { return !p_list || index >= p_list->count; }
    // Null once the walk is done.
    Object* currentObject() const { return isDone() ? nullptr : p_list->list[index]; }

private:
    const ObjectList* p_list;
    int index;
};

} // namespace ks
