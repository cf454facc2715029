#include "base/gui/CommandRouter.h"

#include <QAction>

#include "base/gui/DialogTemplate.h"

namespace krovel {

namespace {
constexpr int IdleRefreshMs = 200;
}

CommandRouter::CommandRouter(FlagsSource flags, QObject* parent)
    : QObject(parent), flags_(std::move(flags)) {
    // Toolbar buttons follow their rules while the program is idle.
    idleTimer_.setInterval(IdleRefreshMs);
    connect(&idleTimer_, &QTimer::timeout, this, &CommandRouter::refreshActions);
    idleTimer_.start();
}

void CommandRouter::setHandler(int id, QObject* context, Handler handler, Notify code) {
    Entry e{std::move(handler), context, context != nullptr};
    handlers_[{static_cast<int>(code), id}] = std::move(e);
}

void CommandRouter::clearHandler(int id, Notify code) {
    handlers_.erase({static_cast<int>(code), id});
}

const CommandRouter::Entry* CommandRouter::find(int id, Notify code) const {
    auto it = handlers_.find({static_cast<int>(code), id});
    if (it == handlers_.end() || !it->second.handler) return nullptr;
    if (it->second.hasContext && !it->second.context) return nullptr; // context is gone
    return &it->second;
}

bool CommandRouter::hasHandler(int id, Notify code) const {
    return find(id, code) != nullptr;
}

void CommandRouter::setRule(int id, Rule rule) {
    ownRules_[id] = std::move(rule);
}

bool CommandRouter::isEnabled(int id) const {
    if (auto it = ownRules_.find(id); it != ownRules_.end() && it->second) return it->second();
    const CommandSpec* entry = FindCommand(id);
    if (!entry || entry->rule == EnableRule::None) return true; // no rule: always carried out
    return RuleAllows(entry->rule, flags_());
}

bool CommandRouter::dispatch(int id) {
    if (!isEnabled(id)) {
        emit commandRefused(id);
        return false;
    }
    const Entry* e = find(id, Notify::Command);
    if (!e) return false;
    Handler h = e->handler; // the handler may replace itself while it runs
    h();
    return true;
}

bool CommandRouter::send(int id) {
    return dispatch(id);
}

void CommandRouter::post(int id) {
    ++pending_;
    QMetaObject::invokeMethod(
        this,
        [this, id] {
            --pending_;
            dispatch(id);
        },
        Qt::QueuedConnection);
}

bool CommandRouter::notify(int id, Notify code) {
    if (code == Notify::Command) return dispatch(id);
    const Entry* e = find(id, code);
    if (!e) return false;
    Handler h = e->handler;
    h();
    return true;
}

void CommandRouter::bindAction(QAction* action, int id) {
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { send(id); });
    actions_.emplace_back(action);
    action->setEnabled(isEnabled(id));
}

void CommandRouter::refreshActions() {
    std::erase_if(actions_, [](const QPointer<QAction>& a) { return a.isNull(); });
    for (const auto& a : actions_) a->setEnabled(isEnabled(a->data().toInt()));
}

void ConnectFormToRouter(TemplateForm& form, CommandRouter& router) {
    QObject::connect(&form, &TemplateForm::controlCommand, &router,
                     [&router](int id) { router.send(id); });
    QObject::connect(&form, &TemplateForm::selectionChanged, &router,
                     [&router](int id, int) { router.notify(id, Notify::SelectionChange); });
}

} // namespace krovel
