#include "SetupControls.h"

#include "core/Context.h"
#include "gamepath/PathFile.h"
#include "store/SlotRecord.h"

namespace fd::setup {

StoredRecord freshRecord(Context& ctx, const QString& slot) {
    QString gameFolder;
    FormModel pathFile; // read apart, so that the controls keep their own game folder
    pathFile.declare(ctl::frmGamePath::txtGamePath, QString());
    if (ReadPathFile(pathFile, ctx.appFolder).ok()) // else no game folder is known
        gameFolder = pathFile.text(ctl::frmGamePath::txtGamePath);
    return initialRecord(slot, gameFolder);
}

Setup namedAs(Setup setup, const QString& slot) {
    for (std::size_t i = 0; i < settingsRecord.size(); ++i)
        if (settingsRecord[i].kind == FieldKind::Chooser)
            setup.record[i] = slot;
    return setup;
}

void putSetup(Context& ctx, const Setup& setup) {
    putIntoControls(ctx.form, setup.record);
    ctx.form.clear(ctl::List2);
    ctx.form.clear(ctl::list4);
    for (const QString& map : setup.maps)
        ctx.form.addItem(ctl::List2, map);
    for (const QString& bot : setup.bots)
        ctx.form.addItem(ctl::list4, bot);
}

Setup setupFromControls(const FormModel& form) {
    return {recordFromControls(form), form.items(ctl::List2), form.items(ctl::list4)};
}

} // namespace fd::setup
