// The About box (template 100): the program's picture, name and version, and OK.
#pragma once

#include "base/gui/DialogTemplate.h"

namespace krovel {

inline constexpr int AboutTemplateId = 100;

const DialogTemplate& AboutTemplate();

class CAboutDlg : public TemplateDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

} // namespace krovel
