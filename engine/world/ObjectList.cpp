#include "ObjectList.h"

#include <algorithm>

namespace ks {

// The entries past count are never read, so they are left as they are: a new list (one per
// collision test) costs nothing to make.
ObjectList::ObjectList() : count(0) {}

ObjectList::ObjectList(const ObjectList& other) : count(other.count) {
    std::copy(other.list, other.list + other.count, list);
}

ObjectList& ObjectList::operator=(const ObjectList& other) {
    if (this != &other) {
        count = other.count;
        std::copy(other.list, other.list + other.count, list);
    }
    return *this;
}

ObjectList::~ObjectList() = default;

int ObjectList::insert(Object* p_object) {
    if (isFull())
        return -1;
    list[count++] = p_object;
    return 0;
}

int ObjectList::remove(const Object* p_object) {
    return removeAt(indexOf(p_object));
}

int ObjectList::removeAt(int index) {
    if (index < 0 || index >= count)
        return -1;
    std::copy(list + index + 1, list + count, list + index);
    list[--count] = nullptr;
    return 0;
}

int ObjectList::indexOf(const Object* p_object) const {
    Object* const* p_found = std::find(list, list + count, p_object);
    return p_found == list + count ? -1 : static_cast<int>(p_found - list);
}

void ObjectList::clear() {
    count = 0;
}

bool ObjectList::contains(const Object* p_object) const {
    return indexOf(p_object) >= 0;
}

} // namespace ks
