#pragma once
// Randomize Maps!: the shuffle of the map rotation and the program's one random generator.

#include "core/Controls.h"

#include <cstdint>
#include <functional>
#include <random>

namespace fd {

class FormModel;

// Uniform numbers in [0, 1). Every generator starts from the same fixed state, so the k-th
// shuffle after start-up gives the same permutation on every run; it is never reseeded.
class UniformGenerator {
public:
    double operator()();

private:
    static constexpr std::uint64_t fixedStart = 0x5EED'F7A6'D0C3'E201;
    std::mt19937_64 engine_{fixedStart};
};

// Shuffles the list in place: for each position i from the last down to 0, draws r and
// exchanges the texts at positions floor(r * (i + 1)) and i. Exactly one draw per item.
void shuffleList(FormModel& form, ListBox list, const std::function<double()>& draw);

} // namespace fd
