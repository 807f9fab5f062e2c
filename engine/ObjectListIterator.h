#pragma once

#include "ObjectList.h"

namespace ks {

class Object;

// Walks a list in place: changes made to the list during a walk are seen by the walk.
class ObjectListIterator {
public:
    ObjectListIterator(const ObjectList* p_list);
    ObjectListIterator(const ObjectListIterator& other) = default;
    ObjectListIterator& operator=(const ObjectListIterator& other) = default;
    virtual ~ObjectListIterator();

    void first() { index = 0; }
    void next() { index++; }
    bool isDone() const { return index >= p_list->count; }
    // Meaningful only while isDone() is false.
    Object* currentObject() const { return p_list->list[index]; }

private:
    const ObjectList* p_list;
    int index;
};

} // namespace ks
