// Lets the controls of a template form speak to the command router: clicks become
// commands with the control's id (asked against their rules), combo choices become
// SelectionChange notifications of the combo's id.
#pragma once

namespace krovel {

class CommandRouter;
class TemplateForm;

void ConnectFormToRouter(TemplateForm& form, CommandRouter& router);

} // namespace krovel
