#pragma once

#include <string>

namespace ks {

class Event;

/// Base of every singleton manager: a type name, a started flag and the broadcast of events to
/// all objects of the world.
class Manager {
public:
    /// A stopped manager without a name.
    Manager();
    /// Nothing to release here; each manager's own destructor closes what it holds.
    virtual ~Manager();

    /// Marks the manager started. Returns 0 on success, -1 on failure.
    virtual int startUp();
    /// Marks the manager stopped.
    virtual void shutDown();

    /// Whether the manager is started: set by startUp, cleared by shutDown.
    bool isStarted() const { return is_started; }
    /// The name the manager gives itself ("WorldManager").
    std::string getType() const { return type; }
    /// Names the manager.
    void setType(std::string new_type) { type = new_type; }

    /// Hands the event to every object of the world, in list order, and returns the number of
    /// handlers that used it (WorldManager::broadcast). Works the same on whatever manager it is
    /// called; 0 before there is a world.
    int onEvent(const Event* p_event) const;

    /// What onEvent hands events to: the world manager sets itself when it is made (the world
    /// sits above this class, which cannot name it).
    using Broadcast = int (*)(const Event* p_event);
    /// Sets what onEvent hands events to; null for nothing.
    static void setBroadcast(Broadcast new_broadcast);

private:
    std::string type;
    bool is_started;
};

} // namespace ks
