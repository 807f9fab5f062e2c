#include "Setup.h"

void loadResources() {}

void populateWorld() {}
