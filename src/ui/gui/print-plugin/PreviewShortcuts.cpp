#include "ui/gui/print-plugin/PreviewShortcuts.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeySequence>
#include <QPrintPreviewDialog>

namespace krovel {

namespace {

struct PreviewKey {
    const char* text; // the toolbar action's untranslated text in Qt
    QKeySequence keys;
};

} // namespace

void AddPreviewShortcuts(QPrintPreviewDialog& preview) {
    const PreviewKey keys[] = {
        {"Print", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"Page setup", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)},
        {"Portrait", QKeySequence(Qt::ALT | Qt::Key_P)},
        {"Landscape", QKeySequence(Qt::ALT | Qt::Key_L)},
    };
    // The preview's actions are known only by their (possibly translated) texts.
    for (QAction* action : preview.findChildren<QAction*>()) {
        for (const PreviewKey& key : keys) {
            const QString text = QCoreApplication::translate("QPrintPreviewDialog", key.text);
            if (action->text() != text) continue;
            action->setShortcut(key.keys);
            action->setToolTip(
                QStringLiteral("%1 (%2)").arg(text, key.keys.toString(QKeySequence::NativeText)));
        }
    }
}

} // namespace krovel
