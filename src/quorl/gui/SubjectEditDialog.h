// The form for one subject: name, sex, height, body weight and comment.
#pragma once

#include <QDialog>

#include "data/core/DataModel.h"

class QLineEdit;
class QRadioButton;
class QSpinBox;
class QPushButton;

namespace krovel::quorl {

class SubjectEditDialog : public QDialog {
    Q_OBJECT
public:
    SubjectEditDialog(const SubjectRecord& subject, const QString& title, QWidget* parent);
    // The edited subject; the fields the form does not show are kept as they were.
    SubjectRecord subject() const;

private:
    void updateOkButton();

    SubjectRecord original_;
    QLineEdit* name_;
    QRadioButton* female_;
    QRadioButton* male_;
    QSpinBox* height_;
    QSpinBox* bodyWeight_;
    QLineEdit* comment_;
    QPushButton* ok_;
};

} // namespace krovel::quorl
