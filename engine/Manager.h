#pragma once

#include <string>

namespace ks {

class Event;

// Base of every singleton manager: a type name, a started flag and the broadcast of events to
// all objects of the world.
class Manager {
public:
    Manager();
    virtual ~Manager();

    // Marks the manager started. Returns 0 on success, -1 on failure.
    virtual int startUp();
    virtual void shutDown();

    bool isStarted() const { return is_started; }
    std::string getType() const { return type; }
    void setType(std::string new_type) { type = new_type; }

    // Hands the event to every object of the world, in list order, and returns the number of
    // handlers that used it (WorldManager::broadcast). Works the same on whatever manager it is
    // called.
    int onEvent(const Event* p_event) const;

private:
    std::string type;
    bool is_started;
};

} // namespace ks
