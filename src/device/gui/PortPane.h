// The status-bar pane that names the serial port in use ("COM1") and opens the port
// setup dialog when clicked (command 32773, which no menu item, button or key issues).
#pragma once

#include <QLabel>

namespace krovel {

class CommandRouter;

class PortPane : public QLabel {
    Q_OBJECT
public:
    PortPane(CommandRouter& router, QWidget* parent = nullptr);

    // Shows PortSetting's name again (after the setup dialog).
    void refresh();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    CommandRouter& router_;
};

} // namespace krovel
