// "Velocity loss stop": the share at which the live view cues the end of a set,
// "Stop at velocity loss of X %", 0 for off. OK stores it in the settings file.
#pragma once

#include <QDialog>

class QSpinBox;

namespace krovel {

class VelocityLossStopDialog : public QDialog {
    Q_OBJECT
public:
    explicit VelocityLossStopDialog(QWidget* parent);
    QSpinBox* percent() const { return percent_; }
    void accept() override;

private:
    QSpinBox* percent_;
};

} // namespace krovel
