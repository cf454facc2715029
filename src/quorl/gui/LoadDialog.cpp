#include "quorl/gui/LoadDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "quorl/gui/Quorl.h"

namespace krovel::quorl {

LoadDialog::LoadDialog(const SubjectRegistry& registry, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Open measurement"));
    const Subject* current = registry.current();

    subjectFolder_ = new QRadioButton(
        current ? tr("The folder of %1").arg(QString::fromStdString(current->record.SubjectName))
                : tr("The folder of the current subject (none chosen)"));
    subjectFolder_->setObjectName("subjectFolder");
    subjectFolder_->setEnabled(current != nullptr);
    dataFolder_ = new QRadioButton(tr("The DATA folder"));
    dataFolder_->setObjectName("dataFolder");
    (current ? subjectFolder_ : dataFolder_)->setChecked(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Open the measurement from:")));
    layout->addWidget(subjectFolder_);
    layout->addWidget(dataFolder_);
    layout->addWidget(buttons);
}

int LoadDialog::choice() const {
    return subjectFolder_->isChecked() ? QuorlOpenFromSubjectFolder : QuorlOpenFromDataFolder;
}

} // namespace krovel::quorl
