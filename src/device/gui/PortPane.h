// The status-bar pane that names the serial port in use ("COM1") and opens the port
// setup dialog when clicked (command 32773, which no menu item, button or key issues).
// When the device went away under an open link, the pane says so instead, without
// interrupting anything, until the next link opens.
#pragma once

#include <QLabel>
#include <QTimer>

namespace krovel {

class CommandRouter;

class PortPane : public QLabel {
    Q_OBJECT
public:
    PortPane(CommandRouter& router, QWidget* parent = nullptr);

    // Shows PortSetting's name again (after the setup dialog), or LinkLostText.
    void refresh();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    CommandRouter& router_;
    QTimer watch_; // follows the link's state
};

inline constexpr const char* LinkLostText = "Link lost";

} // namespace krovel
