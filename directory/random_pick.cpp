#include "directory/random_pick.h"

#include <chrono>
#include <random>

int ClockSeededPick::Pick(int first, int last) {
    std::mt19937 generator(
        static_cast<std::mt19937::result_type>(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    return std::uniform_int_distribution<int>(first, last)(generator);
}
