// The one command table of the running program: id -> (owner, handler, enabling rule).
//
// Every command, whether it comes from the menu, the toolbar, an accelerator key, a
// control bar button, send() or post(), asks its rule first and is dropped silently
// when the rule says no. send() carries the command out at once; post() queues it
// behind everything already waiting and asks the rule only when its turn comes.
// Commands listed in the vocabulary but without a handler yet do nothing.
//
// Registering a handler (for instance in the view's constructor):
//     router.setHandler(cmd::DigitalReport, this, [this] { ShowDigitalReport(); });
// The handler goes away with its context object. A control notification other than
// a click (a combo box choice) is registered with Notify::SelectionChange:
//     router.setHandler(1031, this, [this] { SeriesChanged(); }, Notify::SelectionChange);
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <map>
#include <vector>

#include "base/core/CommandVocabulary.h"

class QAction;

namespace krovel {

class TemplateForm;

// Kind of a message from a control: a click (and every menu or toolbar command)
// is a Command; a combo box choice is a SelectionChange of the combo's id.
enum class Notify { Command = 0, SelectionChange = 1 };

class CommandRouter : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void()>;
    using Rule = std::function<bool()>;
    using FlagsSource = std::function<RuleFlags()>;

    // flags: where the table's rules read MeasurementIdle, DataPresent and Finished
    // (the program passes its current state; tests pass their own).
    explicit CommandRouter(FlagsSource flags, QObject* parent = nullptr);

    // Handler of a command or notification; replaces an earlier one. It is removed
    // when context is destroyed.
    void setHandler(int id, QObject* context, Handler handler, Notify code = Notify::Command);
    void clearHandler(int id, Notify code = Notify::Command);
    bool hasHandler(int id, Notify code = Notify::Command) const;

    // A rule of one's own for an id, replacing the table's rule for it.
    void setRule(int id, Rule rule);
    bool isEnabled(int id) const;

    // Carries the command out now if its rule allows; true when it was carried out
    // (allowed and handled).
    bool send(int id);
    // Queues the command; its rule is asked when it comes to run.
    void post(int id);
    // A notification from a control (combo choice); no rule applies to those.
    bool notify(int id, Notify code);

    // A menu item or toolbar button for the id: triggering it sends the command, and
    // its enabled state follows the rule (refreshAll, idle timer).
    void bindAction(QAction* action, int id);
    void refreshActions();
    int pendingPosts() const { return pending_; }

signals:
    void commandRefused(int id); // a rule said no (the command was dropped)

private:
    struct Entry {
        Handler handler;
        QPointer<QObject> context;
        bool hasContext = false;
    };
    using Key = std::pair<int, int>;
    const Entry* find(int id, Notify code) const;
    bool dispatch(int id);

    std::map<Key, Entry> handlers_;
    std::map<int, Rule> ownRules_;
    FlagsSource flags_;
    std::vector<QPointer<QAction>> actions_;
    QTimer idleTimer_;
    int pending_ = 0;
};

// Lets the controls of a template form speak to the router: clicks become commands
// with the control's id (asked against their rules), combo choices become
// SelectionChange notifications of the combo's id.
void ConnectFormToRouter(TemplateForm& form, CommandRouter& router);

} // namespace krovel
