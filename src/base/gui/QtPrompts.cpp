#include "base/gui/QtPrompts.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>

#include <algorithm>

#include "base/core/FileFilter.h"
#include "base/gui/QtText.h"

namespace krovel {

namespace {

QWidget* DialogParent() {
    return QApplication::activeWindow();
}

// A file dialog that takes a name only inside a folder that exists.
class ExistingFolderDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;
    void accept() override {
        const QStringList chosen = selectedFiles();
        if (!chosen.isEmpty() && !QFileInfo(chosen.front()).absoluteDir().exists()) return;
        QFileDialog::accept();
    }
};

// The dialog both file prompts share: the program's filter, its start folder and
// name, the default extension, and no read-only choice. Overwriting is not asked
// here: the writers ask themselves.
std::optional<std::string> RunFileDialog(const FileDialogRequest& r, bool save) {
    ExistingFolderDialog dialog(DialogParent());
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Open accepts a name that does not exist: the reader reports a missing file.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setOption(QFileDialog::ReadOnly, false);
    const QString filter = ToQt(DialogFilterText(r.filter));
    if (!filter.isEmpty()) dialog.setNameFilters(filter.split(QStringLiteral(";;")));
    std::string ext = r.defaultExtension;
    if (!ext.empty() && ext.front() == '.') ext.erase(0, 1);
    dialog.setDefaultSuffix(ToQt(ext));
    if (!r.initialFolder.empty()) dialog.setDirectory(PathToQt(r.initialFolder));
    if (!r.initialName.empty()) dialog.selectFile(PathToQt(r.initialName));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    return PathFromQt(QDir::toNativeSeparators(chosen.front()));
}

} // namespace

Answer QtPrompts::message(const std::string& text, MessageKind kind) {
    const bool question = kind == MessageKind::Question;
    QMessageBox box(question ? QMessageBox::Question : QMessageBox::Warning,
                    QString::fromLatin1(MessageCaption), ToQt(text),
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    DialogParent());
    box.setDefaultButton(question ? QMessageBox::Yes : QMessageBox::Ok);
    const int result = box.exec();
    if (!question) return Answer::Ok;
    return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

size_t QtPrompts::choose(const std::string& text, const std::vector<std::string>& buttons) {
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(MessageCaption), ToQt(text),
                    QMessageBox::NoButton, DialogParent());
    std::vector<QPushButton*> shown;
    for (size_t i = 0; i < buttons.size(); ++i) {
        const bool cancel = i + 1 == buttons.size();
        shown.push_back(box.addButton(ToQt(buttons[i]),
                                      cancel ? QMessageBox::RejectRole : QMessageBox::AcceptRole));
    }
    if (shown.empty()) return 0;
    box.setDefaultButton(shown.front());
    box.setEscapeButton(shown.back());
    box.exec();
    const auto chosen = std::find(shown.begin(), shown.end(), box.clickedButton());
    return chosen == shown.end() ? shown.size() - 1 : static_cast<size_t>(chosen - shown.begin());
}

std::optional<std::string> QtPrompts::saveFile(const FileDialogRequest& request) {
    return RunFileDialog(request, true);
}

std::optional<std::string> QtPrompts::openFile(const FileDialogRequest& request) {
    return RunFileDialog(request, false);
}

void QtPrompts::statusText(const std::string& text) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* main = qobject_cast<QMainWindow*>(window))
            main->statusBar()->showMessage(ToQt(text));
    }
}

} // namespace krovel
