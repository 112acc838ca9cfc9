#include "SettingsRecord.h"

#include "core/FormModel.h"

#include <QStringList>

namespace fd {

namespace {
QStringList slotNameList() {
    QStringList names;
    for (const char* name : slotNames)
        names << QString::fromLatin1(name);
    return names;
}

void declareField(FormModel& form, const Field& field) {
    const QString initial = QString::fromLatin1(field.initial);
    switch (field.kind) {
    case FieldKind::Text:
        form.declare(field.control.as<TextBox>(), initial, field.maxLength);
        break;
    case FieldKind::Chooser:
        form.declare(field.control.as<ComboBox>(), slotNameList(), initial);
        break;
    case FieldKind::Check:
        form.declare(field.control.as<CheckBox>(), initial.toInt());
        break;
    case FieldKind::Option:
        form.declare(field.control.as<OptionButton>(), QString::fromLatin1(field.group),
                     initial == u"true");
        break;
    case FieldKind::Flag:
        break;
    }
}
} // namespace

void declareSettingsControls(FormModel& form) {
    for (const Field& field : settingsRecord)
        declareField(form, field);
    form.declare(ctl::txtGameType, QString(), 1);
    form.declare(ctl::txtMoreBots, QString());
    form.declare(ctl::cmdEngage);
    for (TextBox box : initiallyLocked)
        form.setLocked(box, true);
    form.setVisible(ctl::txtGameType, false);
    form.setVisible(ctl::txtMoreBots, false);
    form.setVisible(ctl::chkAllowBotRocketJump, false);
}

} // namespace fd
