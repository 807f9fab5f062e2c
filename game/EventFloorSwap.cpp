#include "EventFloorSwap.h"

EventFloorSwap::EventFloorSwap() {
    setType(FLOOR_SWAP_EVENT);
}
