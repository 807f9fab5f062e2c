#include "ObjectListIterator.h"

namespace ks {

ObjectListIterator::ObjectListIterator(const ObjectList* p_l) : p_list(p_l), index(0) {
    first();
}

ObjectListIterator::~ObjectListIterator() = default;

} // namespace ks
