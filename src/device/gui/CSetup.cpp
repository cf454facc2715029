#include "device/gui/CSetup.h"

#include <QComboBox>

#include "base/core/CommandIds.h"
#include "data/core/Settings.h"
#include "device/core/PortNames.h"

namespace krovel {

namespace {
// The dialog offers the first four ports; "COM5" can only come from the settings file.
constexpr int OfferedPorts = 4;
} // namespace

const DialogTemplate& SetupTemplate() {
    using K = ControlKind;
    static const DialogTemplate t{
        SetupTemplateId,
        "Setup communication port",
        150,
        62,
        {
            {K::Label, NoControlId, "Port:", 10, 12, 24, 8},
            {K::DropDownList, IdPortCombo, "", 38, 10, 60, 60, Sorted},
            {K::Button, cmd::DialogOk, "OK", 18, 38, 50, 14, DefaultButton | GroupStart},
            {K::Button, cmd::DialogCancel, "Cancel", 80, 38, 50, 14},
        }};
    return t;
}

CSetup::CSetup(QWidget* parent) : TemplateDialog(SetupTemplate(), parent) {
    for (int i = 0; i < OfferedPorts; ++i)
        form().addComboString(IdPortCombo, QString::fromLatin1(PortNames[i]));
    // An index the list does not hold selects nothing.
    QComboBox* combo = form().combo(IdPortCombo);
    combo->setCurrentIndex(PortSetting >= 0 && PortSetting < combo->count() ? PortSetting : -1);
}

void CSetup::OnOK() {
    const int chosen = form().combo(IdPortCombo)->currentIndex();
    if (chosen >= 0) PortSetting = chosen;
    TemplateDialog::OnOK();
}

} // namespace krovel
