#pragma once

namespace ks {

class Object;

/// How many objects a list holds, and so how many the world holds.
const int MAX_OBJECTS = 5000;

/// A fixed-capacity array of object pointers, in insertion order. It never owns the objects and
/// never allocates: copies are flat.
class ObjectList {
public:
    /// An empty list.
    ObjectList();
    /// Copies the entries, not the objects.
    ObjectList(const ObjectList& other);
    /// Copies the entries, not the objects.
    ObjectList& operator=(const ObjectList& other);
    /// Leaves the objects alone.
    virtual ~ObjectList();

    /// Appends; -1 (and no change) when the list is full. Null and repeated entries are taken as
    /// they are.
    int insert(Object* p_object);
    /// Removes the first entry equal to p_object, keeping the order of the rest; -1 if absent.
    int remove(const Object* p_object);
    /// Removes the entry at index, keeping the order of the rest; -1 if there is no such entry.
    int removeAt(int index);
    /// The index of the first entry equal to p_object, or -1.
    int indexOf(const Object* p_object) const;
    /// Removes every entry; the objects stay.
    void clear();

    /// How many entries the list has.
    int getCount() const { return count; }
    /// Whether the list has no entry.
    bool isEmpty() const { return count == 0; }
    /// Whether the list holds MAX_OBJECTS entries, so that insert fails.
    bool isFull() const { return count == MAX_OBJECTS; }
    /// Whether p_object is in the list.
    bool contains(const Object* p_object) const;

private:
    friend class ObjectListIterator;
    friend class WorldManager;

    int count;
    Object* list[MAX_OBJECTS];
};

} // namespace ks
