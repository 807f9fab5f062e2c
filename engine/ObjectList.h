#pragma once

namespace ks {

class Object;

const int MAX_OBJECTS = 5000;

// A fixed-capacity array of object pointers, in insertion order. It never owns the objects and
// never allocates: copies are flat.
class ObjectList {
public:
    ObjectList();
    ObjectList(const ObjectList& other);
    ObjectList& operator=(const ObjectList& other);
    virtual ~ObjectList();

    // Appends; -1 (and no change) when the list is full.
    int insert(Object* p_object);
    // Removes the first entry equal to p_object, keeping the order of the rest; -1 if absent.
    int remove(const Object* p_object);
    // Removes the entry at index, keeping the order of the rest; -1 if there is no such entry.
    int removeAt(int index);
    // The index of the first entry equal to p_object, or -1.
    int indexOf(const Object* p_object) const;
    void clear();

    int getCount() const { return count; }
    bool isEmpty() const { return count == 0; }
    bool isFull() const { return count == MAX_OBJECTS; }
    // Whether p_object is in the list.
    bool contains(const Object* p_object) const;

private:
    friend class ObjectListIterator;
    friend class WorldManager;

    int count;
    Object* list[MAX_OBJECTS];
};

} // namespace ks
