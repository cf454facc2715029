#include "ui/gui/FormCommands.h"

#include "base/gui/CommandRouter.h"
#include "base/gui/DialogTemplate.h"

namespace krovel {

void ConnectFormToRouter(TemplateForm& form, CommandRouter& router) {
    QObject::connect(&form, &TemplateForm::controlCommand, &router,
                     [&router](int id) { router.send(id); });
    QObject::connect(&form, &TemplateForm::selectionChanged, &router,
                     [&router](int id, int) { router.notify(id, Notify::SelectionChange); });
}

} // namespace krovel
