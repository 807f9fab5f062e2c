#include "EventView.h"

namespace ks {

EventView::EventView(std::string init_tag, int init_value, bool init_delta)
    : tag(init_tag), value(init_value), delta(init_delta) {
    setType(VIEW_EVENT);
}

} // namespace ks
