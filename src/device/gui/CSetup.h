// The port setup dialog (template 1022, "Setup communication port"): a list of the
// serial ports "COM1".."COM4"; OK makes the chosen one PortSetting, Cancel keeps it.
// The choice takes effect at the next link open and is kept in the settings file.
#pragma once

#include "base/gui/DialogTemplate.h"

namespace krovel {

inline constexpr int SetupTemplateId = 1022;
inline constexpr int IdPortCombo = 1022;

const DialogTemplate& SetupTemplate();

class CSetup : public TemplateDialog {
    Q_OBJECT
public:
    // Opens with the current PortSetting selected (nothing for a port not offered).
    explicit CSetup(QWidget* parent = nullptr);

protected:
    void OnOK() override;
};

} // namespace krovel
