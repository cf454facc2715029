#include "quorl/gui/SubjectEditDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <limits>

namespace krovel::quorl {

namespace {

QSpinBox* NumberField(const char* objectName, int maximum, int value) {
    auto* field = new QSpinBox;
    field->setObjectName(objectName);
    field->setRange(0, maximum);
    field->setValue(value);
    return field;
}

} // namespace

SubjectEditDialog::SubjectEditDialog(const SubjectRecord& subject, const QString& title,
                                     QWidget* parent)
    : QDialog(parent), original_(subject) {
    setWindowTitle(title);

    name_ = new QLineEdit(QString::fromStdString(subject.SubjectName));
    name_->setObjectName("name");
    name_->setMinimumWidth(240);
    female_ = new QRadioButton(tr("Female"));
    female_->setObjectName("female");
    female_->setChecked(subject.Sex == SexFemale);
    male_ = new QRadioButton(tr("Male"));
    male_->setObjectName("male");
    male_->setChecked(subject.Sex == SexMale);
    auto* sexGroup = new QButtonGroup(this);
    sexGroup->addButton(female_);
    sexGroup->addButton(male_);
    auto* sexRow = new QHBoxLayout;
    sexRow->addWidget(female_);
    sexRow->addWidget(male_);
    sexRow->addStretch();
    // Values outside the fields' ranges (from an old record) are clamped on the next save.
    height_ = NumberField("height", 300, subject.Height);
    bodyWeight_ = NumberField("bodyWeight", 500, subject.BodyWeight);
    comment_ = new QLineEdit(QString::fromStdString(subject.Comment));
    comment_->setObjectName("comment");
    // Qt's default limit of 32767 characters would cut a long record on its next save.
    name_->setMaxLength(std::numeric_limits<int>::max());
    comment_->setMaxLength(std::numeric_limits<int>::max());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(name_, &QLineEdit::textChanged, this, &SubjectEditDialog::updateOkButton);

    auto* form = new QFormLayout(this);
    form->addRow(tr("Name:"), name_);
    form->addRow(tr("Sex:"), sexRow);
    form->addRow(tr("Height (cm):"), height_);
    form->addRow(tr("Body weight (kg):"), bodyWeight_);
    form->addRow(tr("Comment:"), comment_);
    form->addRow(buttons);
    updateOkButton();
}

void SubjectEditDialog::updateOkButton() {
    ok_->setEnabled(!name_->text().trimmed().isEmpty());
}

SubjectRecord SubjectEditDialog::subject() const {
    SubjectRecord subject = original_;
    subject.SubjectName = name_->text().trimmed().toStdString();
    subject.Sex = female_->isChecked() ? SexFemale : male_->isChecked() ? SexMale : 0;
    subject.Height = height_->value();
    subject.BodyWeight = bodyWeight_->value();
    subject.Comment = comment_->text().toStdString();
    return subject;
}

} // namespace krovel::quorl
