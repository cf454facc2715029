#include "quorl/gui/SubjectDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "quorl/core/SubjectRecordFile.h"
#include "quorl/gui/QuorlDialogs.h"
#include "quorl/gui/SubjectEditDialog.h"

namespace krovel::quorl {

namespace {

constexpr int FolderRole = Qt::UserRole;
constexpr int DamagedRole = Qt::UserRole + 1;

QString SexText(int32_t sex) {
    if (sex == SexFemale) return SubjectDialog::tr("Female");
    if (sex == SexMale) return SubjectDialog::tr("Male");
    return {};
}

} // namespace

SubjectDialog::SubjectDialog(SubjectRegistry& registry, QWidget* parent)
    : QDialog(parent), registry_(registry) {
    setWindowTitle(tr("Subjects"));

    list_ = new QTreeWidget;
    list_->setObjectName("subjects");
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels(
        {tr("Name"), tr("Sex"), tr("Height (cm)"), tr("Body weight (kg)"), tr("Comment")});
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->setMinimumWidth(520);

    error_ = new QLabel;
    error_->setObjectName("error");
    error_->setStyleSheet("color: #b00020");
    error_->setWordWrap(true);
    error_->hide();

    auto* buttons = new QDialogButtonBox;
    add_ = buttons->addButton(tr("&Add..."), QDialogButtonBox::ActionRole);
    add_->setObjectName("add");
    edit_ = buttons->addButton(tr("&Edit..."), QDialogButtonBox::ActionRole);
    edit_->setObjectName("edit");
    choose_ = buttons->addButton(tr("&Choose"), QDialogButtonBox::AcceptRole);
    choose_->setObjectName("choose");
    choose_->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    // Choosing is checked first, so the accept role must not close the dialog by itself.
    connect(add_, &QPushButton::clicked, this, &SubjectDialog::addSubject);
    connect(edit_, &QPushButton::clicked, this, &SubjectDialog::editSubject);
    connect(choose_, &QPushButton::clicked, this, &SubjectDialog::chooseSubject);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &SubjectDialog::chooseSubject);
    connect(list_, &QTreeWidget::currentItemChanged, this, &SubjectDialog::updateButtons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(error_);
    layout->addWidget(buttons);

    // The current subject, else the one chosen last (also in an earlier run).
    const Subject* current = registry_.current();
    reload(current ? current->folderName : LastChosenSubject());
}

void SubjectDialog::reload(const std::string& selectFolder) {
    list_->clear();
    for (const Subject& subject : registry_.list()) {
        const SubjectRecord& r = subject.record;
        const QString name = QString::fromStdString(r.SubjectName);
        auto* item =
            subject.damaged
                ? new QTreeWidgetItem(list_, {tr("%1 (damaged record)").arg(name)})
                : new QTreeWidgetItem(list_, {name, SexText(r.Sex), QString::number(r.Height),
                                              QString::number(r.BodyWeight),
                                              QString::fromStdString(r.Comment).simplified()});
        item->setData(0, FolderRole, QString::fromStdString(subject.folderName));
        item->setData(0, DamagedRole, subject.damaged);
        if (subject.damaged) {
            // Its measurements stay in the folder; the record can be mended by hand.
            item->setForeground(0, palette().brush(QPalette::Disabled, QPalette::Text));
            item->setToolTip(
                0, tr("The record file %1 cannot be read.")
                       .arg(QString::fromStdString(registry_.folderText(subject.folderName) +
                                                   SubjectRecordFileName)));
        }
        if (subject.folderName == selectFolder) list_->setCurrentItem(item);
    }
    if (!list_->currentItem() && list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));
    updateButtons();
}

std::string SubjectDialog::selectedFolder() const {
    const QTreeWidgetItem* item = list_->currentItem();
    return item ? item->data(0, FolderRole).toString().toStdString() : std::string();
}

void SubjectDialog::updateButtons() {
    const QTreeWidgetItem* item = list_->currentItem();
    const bool selected = item && !item->data(0, DamagedRole).toBool();
    edit_->setEnabled(selected);
    choose_->setEnabled(selected);
}

void SubjectDialog::showError(const QString& text) {
    error_->setText(text);
    error_->show();
}

void SubjectDialog::addSubject() {
    SubjectEditDialog form(SubjectRecord{}, tr("New subject"), this);
    if (form.exec() != QDialog::Accepted) return;
    std::string caseTwin;
    auto folder = registry_.add(form.subject(), &caseTwin);
    if (!folder && !caseTwin.empty()) {
        showError(tr("The subject was not stored: its folder would differ from the folder "
                     "\"%1\" only in case.")
                      .arg(QString::fromStdString(caseTwin)));
        return;
    }
    if (!folder) {
        showError(tr("The subject could not be stored in %1.")
                      .arg(QString::fromStdString(registry_.folderText({}))));
        return;
    }
    error_->hide();
    reload(*folder);
}

void SubjectDialog::editSubject() {
    std::string folder = selectedFolder();
    auto subject = registry_.find(folder);
    if (!subject) {
        showError(tr("This subject can no longer be read."));
        reload({});
        return;
    }
    SubjectEditDialog form(subject->record, tr("Edit subject"), this);
    if (form.exec() != QDialog::Accepted) return;
    if (!registry_.update(folder, form.subject())) {
        showError(tr("The changes could not be stored."));
        return;
    }
    error_->hide();
    reload(folder);
}

void SubjectDialog::chooseSubject() {
    if (!registry_.select(selectedFolder())) {
        showError(tr("This subject can no longer be read."));
        reload({});
        return;
    }
    accept();
}

} // namespace krovel::quorl
