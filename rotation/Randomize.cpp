#include "Randomize.h"

#include "core/FormModel.h"

#include <algorithm>
#include <cmath>

namespace fd {

double UniformGenerator::operator()() {
    // The top 53 bits as a fraction: every double of the form k / 2^53, never 1.
    return double(engine_() >> 11) * 0x1.0p-53;
}

void shuffleList(FormModel& form, ListBox list, const std::function<double()>& draw) {
    for (int i = form.count(list) - 1; i >= 0; --i) {
        const double r = draw();
        const int j = std::clamp(int(std::floor(r * (i + 1))), 0, i);
        if (j == i)
            continue;
        const QString atJ = form.items(list).at(j);
        form.setItemText(list, j, form.items(list).at(i));
        form.setItemText(list, i, atJ);
    }
}

} // namespace fd
