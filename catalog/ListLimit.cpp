#include "ListLimit.h"

#include "core/Context.h"

#include <utility>

namespace fd {

namespace {

// The list as the user knows it from the windows.
QString title(ListBox list) {
    const std::pair<ListBox, const char*> titles[] = {{ctl::List1, "Map List"},
                                                      {ctl::List2, "Selected Maps list"},
                                                      {ctl::list3, "bot list"},
                                                      {ctl::list4, "list of selected bots"}};
    for (auto [known, caption] : titles)
        if (qstrcmp(known.name, list.name) == 0)
            return QString::fromLatin1(caption);
    return QString::fromLatin1(list.name);
}

void alertListFull(const Context& ctx, ListBox list) {
    ctx.alert(QStringLiteral("The %1 is full: a list holds at most %2 entries, so no more "
                             "can be added.")
                  .arg(title(list))
                  .arg(FormModel::maxListItems));
}

} // namespace

bool addOrAlert(const Context& ctx, ListBox list, const QString& item) {
    if (ctx.form.addItem(list, item))
        return true;
    alertListFull(ctx, list);
    return false;
}

} // namespace fd
