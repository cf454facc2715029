#include "device/gui/PortPane.h"

#include <QMouseEvent>

#include "base/core/CommandIds.h"
#include "base/core/CommandVocabulary.h"
#include "base/gui/CommandRouter.h"
#include "base/gui/QtText.h"
#include "data/core/Settings.h"
#include "device/core/PortNames.h"
#include "device/io/DeviceLink.h"

namespace krovel {

namespace {
// How often the pane looks at the link: a lost unit shows within this time.
constexpr int LinkWatchMs = 250;
constexpr const char* LinkLostTip =
    "The device stopped answering. The next start or import connects again.";
} // namespace

PortPane::PortPane(CommandRouter& router, QWidget* parent) : QLabel(parent), router_(router) {
    setObjectName(QStringLiteral("portPane"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAlignment(Qt::AlignCenter);
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("COM5")) + 12);
    setCursor(Qt::PointingHandCursor);
    // The command's own prompt: "Serial port" as status text and (refresh) tooltip.
    setStatusTip(ToQt(StatusPrompt(cmd::SerialPort)));
    refresh();
    watch_.setInterval(LinkWatchMs);
    connect(&watch_, &QTimer::timeout, this, &PortPane::refresh);
    watch_.start();
}

void PortPane::refresh() {
    if (LinkLost()) {
        setText(QString::fromLatin1(LinkLostText));
        setToolTip(QString::fromLatin1(LinkLostTip));
        return;
    }
    setText(IsPortIndex(PortSetting) ? QString::fromLatin1(PortNames[PortSetting]) : QString());
    setToolTip(ToQt(TooltipText(cmd::SerialPort)));
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
