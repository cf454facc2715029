#include "measure/gui/VelocityLossStopSetting.h"

#include <QSettings>

#include <algorithm>

#include "measure/core/VelocityLossStop.h"

namespace krovel {

int32_t ReadVelocityLossStop() {
    const QSettings settings("Marvolen Krovel", "Kelvane");
    bool ok = false;
    const int value = settings.value(QLatin1String(VelocityLossStopKey), 0).toInt(&ok);
    return ok && value >= 0 && value <= MaxStopPercent ? value : 0;
}

void WriteVelocityLossStop(int32_t percent) {
    QSettings settings("Marvolen Krovel", "Kelvane");
    settings.setValue(QLatin1String(VelocityLossStopKey), std::clamp(percent, 0, MaxStopPercent));
}

} // namespace krovel
