#include "MapsToPlay.h"

#include "core/FormModel.h"

namespace fd::hosting {

Outcome<> mapsToPlay(const FormModel& form) {
    if (!form.items(ctl::List2).isEmpty())
        return Outcome<>::success();
    return refused(QStringLiteral(
        "The map rotation is empty, and a server with no map never answers: add maps to "
        "\"Selected Maps\" on the Maps tab and save the slot."));
}

} // namespace fd::hosting
