// Asks where a measurement is opened from: the current subject's folder or the DATA folder.
#pragma once

#include <QDialog>

#include "quorl/core/SubjectRegistry.h"

class QRadioButton;

namespace krovel::quorl {

class LoadDialog : public QDialog {
    Q_OBJECT
public:
    LoadDialog(const SubjectRegistry& registry, QWidget* parent);
    // QuorlOpenFromSubjectFolder or QuorlOpenFromDataFolder, as the user picked.
    int choice() const;

private:
    QRadioButton* subjectFolder_;
    QRadioButton* dataFolder_;
};

} // namespace krovel::quorl
