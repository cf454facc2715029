#include "app/gui/CAboutDlg.h"

#include "base/core/CommandIds.h"
#include "base/gui/SvgImages.h"

namespace krovel {

const DialogTemplate& AboutTemplate() {
    using K = ControlKind;
    static const DialogTemplate t{
        AboutTemplateId,
        "About",
        285,
        98,
        {
            {K::Picture, NoControlId, ":/images/about.svg", 7, 7, 84, 84},
            {K::Label, NoControlId, "Kinetrak Krovel ver. 1.25", 104, 30, 110, 8},
            {K::Label, NoControlId, "Marvolen ", 104, 46, 110, 8},
            {K::Button, cmd::DialogOk, "OK", 228, 7, 50, 14, DefaultButton | GroupStart},
        }};
    return t;
}

CAboutDlg::CAboutDlg(QWidget* parent)
    : TemplateDialog((InitKrovelResources(), AboutTemplate()), parent) {}

} // namespace krovel
