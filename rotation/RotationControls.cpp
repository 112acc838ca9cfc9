#include "RotationControls.h"

#include "core/FormModel.h"

namespace fd {

void declareRotationControls(FormModel& form) {
    form.declare(ctl::List2);
    form.declare(ctl::list4);
}

} // namespace fd
