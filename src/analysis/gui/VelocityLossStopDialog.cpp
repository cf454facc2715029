#include "analysis/gui/VelocityLossStopDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "measure/core/VelocityLossStop.h"
#include "measure/gui/VelocityLossStopSetting.h"

namespace krovel {

VelocityLossStopDialog::VelocityLossStopDialog(QWidget* parent)
    : QDialog(parent), percent_(new QSpinBox(this)) {
    setWindowTitle(QStringLiteral("Velocity loss stop"));
    percent_->setRange(0, MaxStopPercent);
    percent_->setSpecialValueText(QStringLiteral("off"));
    percent_->setValue(ReadVelocityLossStop());

    auto* line = new QHBoxLayout;
    line->addWidget(new QLabel(QStringLiteral("Stop at velocity loss of"), this));
    line->addWidget(percent_);
    line->addWidget(new QLabel(QStringLiteral("%"), this));
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(line);
    layout->addWidget(
        new QLabel(QStringLiteral("0 turns the cue off. It applies from the next set."), this));
    layout->addWidget(buttons);
}

void VelocityLossStopDialog::accept() {
    WriteVelocityLossStop(percent_->value());
    QDialog::accept();
}

} // namespace krovel
