#include "device/gui/PortPane.h"

#include <QMouseEvent>

#include "app/core/CommandIds.h"
#include "app/core/CommandVocabulary.h"
#include "app/core/Settings.h"
#include "app/gui/CommandRouter.h"
#include "device/core/PortNames.h"
#include "ui/gui/QtText.h"

namespace krovel {

PortPane::PortPane(CommandRouter& router, QWidget* parent) : QLabel(parent), router_(router) {
    setObjectName(QStringLiteral("portPane"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAlignment(Qt::AlignCenter);
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("COM5")) + 12);
    setCursor(Qt::PointingHandCursor);
    // The command's own prompt: "Serial port" as tooltip and status text.
    setToolTip(ToQt(TooltipText(cmd::SerialPort)));
    setStatusTip(ToQt(StatusPrompt(cmd::SerialPort)));
    refresh();
}

void PortPane::refresh() {
    setText(IsPortIndex(PortSetting) ? QString::fromLatin1(PortNames[PortSetting]) : QString());
}

void PortPane::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        router_.send(cmd::SerialPort);
        event->accept();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

} // namespace krovel
