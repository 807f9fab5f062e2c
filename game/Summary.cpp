#include "Summary.h"

#include <cinttypes>
#include <cstdio>

#include "GameManager.h"
#include "Gameover.h"
#include "LogManager.h"
#include "Map.h"
#include "ObjectList.h"
#include "ObjectListIterator.h"
#include "ViewObject.h"
#include "WorldManager.h"

std::string summaryLine() {
    int floor = 0;
    int score = 0;
    int health = 0;
    const ks::ObjectList all = ks::WorldManager::getInstance().getAllObjects();
    for (ks::ObjectListIterator it(&all); !it.isDone(); it.next()) {
        ks::Object* p_object = it.currentObject();
        if (const Map* p_map = dynamic_cast<const Map*>(p_object))
            floor = p_map->getFloor() - 1; // the map counts the floor it builds next
        else if (const Gameover* p_gameover = dynamic_cast<const Gameover*>(p_object))
            score = p_gameover->getScore();
        else if (const ks::ViewObject* p_view = dynamic_cast<const ks::ViewObject*>(p_object)) {
            if (p_view->getViewString() == "Score:")
                score = p_view->getValue();
            else if (p_view->getViewString() == "Health:")
                health = p_view->getValue();
        }
    }
    char line[160];
    snprintf(line, sizeof(line), "cycles %d floor %d score %d health %d checksum %016" PRIx64,
             ks::GameManager::getInstance().getStepCount(), floor, score, health,
             ks::LogManager::getInstance().getChecksum());
    return line;
}
