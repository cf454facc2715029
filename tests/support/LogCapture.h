// Keeps the messages logged while it lives, instead of printing them.
#pragma once

#include <QLoggingCategory>
#include <QString>

#include <string>
#include <vector>

namespace krovel::testing {

class LogCapture {
public:
    struct Message {
        QtMsgType type;
        std::string category, text;
    };

    LogCapture() : previous_(qInstallMessageHandler(&Keep)) { kept().clear(); }
    ~LogCapture() { qInstallMessageHandler(previous_); }

    // The messages of one category.
    std::vector<Message> of(const std::string& category) const {
        std::vector<Message> found;
        for (const Message& m : kept())
            if (m.category == category) found.push_back(m);
        return found;
    }

private:
    static std::vector<Message>& kept() {
        static std::vector<Message> messages;
        return messages;
    }
    static void Keep(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        kept().push_back({type, context.category ? context.category : "", text.toStdString()});
    }

    QtMessageHandler previous_;
};

} // namespace krovel::testing
