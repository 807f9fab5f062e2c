#include "ReplayRecorder.h"

namespace ks {

ReplayRecorder::~ReplayRecorder() {
    if (p_file)
        fclose(p_file);
}

int ReplayRecorder::open(const std::string& filename, unsigned long seed) {
    if (p_file)
        fclose(p_file);
    p_file = fopen(filename.c_str(), "w");
    if (!p_file)
        return -1;
    fprintf(p_file, "%s\n%s\n", Replay::headerLine().c_str(), Replay::seedLine(seed).c_str());
    fflush(p_file);
    return 0;
}

void ReplayRecorder::write(const Replay::Input& input) {
    if (!p_file)
        return;
    // Flushed line by line: a game that crashes still leaves a replay up to its last input.
    fprintf(p_file, "%s\n", Replay::inputLine(input).c_str());
    fflush(p_file);
}

void ReplayRecorder::close(int last_cycle) {
    if (!p_file)
        return;
    fprintf(p_file, "%s\n", Replay::endLine(last_cycle).c_str());
    fclose(p_file);
    p_file = nullptr;
}

} // namespace ks
