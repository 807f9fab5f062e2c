#include "ObjectList.h"

#include <algorithm>

namespace ks {

ObjectList::ObjectList() : count(0), list() {}

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
    for (int i = 0; i < count; i++) {
        if (list[i] == p_object) {
            std::copy(list + i + 1, list + count, list + i);
            list[--count] = nullptr;
            return 0;
        }
    }
    return -1;
}

void ObjectList::clear() {
    count = 0;
}

bool ObjectList::contains(const Object* p_object) const {
    return std::find(list, list + count, p_object) != list + count;
}

} // namespace ks
