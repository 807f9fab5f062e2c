#pragma once

#include "Event.h"

class Player;

const std::string PLAYER_MOVE_EVENT = "player-move";

// Sent after every attempted step of the player, whether or not it moved.
class EventPlayerMove : public ks::Event {
public:
    EventPlayerMove(Player* p_player);

    Player* getPlayer() const { return p_player; }

private:
    Player* p_player;
};
