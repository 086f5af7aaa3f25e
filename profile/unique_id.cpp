#include "unique_id.h"

#include <chrono>
#include <random>

int DrawRandomId() {
    static std::minstd_rand generator(static_cast<std::minstd_rand::result_type>(
        std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::system_clock::now().time_since_epoch())
            .count()));
    return std::uniform_int_distribution<int>(0, kUniqueIdRange - 1)(generator);
}
