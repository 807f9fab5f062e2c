#include "EventPlayerMove.h"

EventPlayerMove::EventPlayerMove(Player* p_init_player) : p_player(p_init_player) {
    setType(PLAYER_MOVE_EVENT);
}
