#include "EventRoomSwap.h"

EventRoomSwap::EventRoomSwap(int init_direction) : direction(init_direction) {
    setType(ROOM_SWAP_EVENT);
}
