// The list of subjects: choose one, add a new one or edit the selected one.
#pragma once

#include <QDialog>
#include <string>

#include "quorl/core/SubjectRegistry.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace krovel::quorl {

class SubjectDialog : public QDialog {
    Q_OBJECT
public:
    SubjectDialog(SubjectRegistry& registry, QWidget* parent);

    // The folder of the highlighted subject, empty when none is.
    std::string selectedFolder() const;

private:
    void reload(const std::string& selectFolder);
    void addSubject();
    void editSubject();
    void chooseSubject();
    void updateButtons();
    void showError(const QString& text);

    SubjectRegistry& registry_;
    QTreeWidget* list_;
    QLabel* error_;
    QPushButton* add_;
    QPushButton* edit_;
    QPushButton* choose_;
};

} // namespace krovel::quorl
