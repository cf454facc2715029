#include "ui/gui/CMainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>

#include "base/core/CommandVocabulary.h"
#include "base/gui/CommandRouter.h"
#include "base/gui/QtText.h"
#include "base/gui/SvgImages.h"
#include "data/core/DataModel.h"
#include "ui/gui/CKrovelDeviceDoc.h"
#include "ui/gui/CKrovelDeviceView.h"
#include "ui/gui/LockKeyState.h"

namespace krovel {

CMainFrame::CMainFrame(CommandRouter& router, CKrovelDeviceDoc& doc,
                       std::vector<MenuExtension> menuExtensions, QWidget* parent)
    : QMainWindow(parent), router_(router), doc_(doc), menuExtensions_(std::move(menuExtensions)) {
    InitKrovelResources();
    resize(900, 780);
    TestHeader.Subject.Sex = SexMale;
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::closeEvent(QCloseEvent* event) {
    // Exit, the close button and Alt+F4 all come here. A running measurement ends as
    // STOP ends it: the set is counted and marked unsaved, so the exit question offers
    // it, and the link's reader has ended before the exit sequence runs.
    if (view_) view_->StopMeasurement();
    QMainWindow::closeEvent(event);
}

bool CMainFrame::Create() {
    setWindowIcon(ProgramIcon());
    view_ = new CKrovelDeviceView(*this);
    setCentralWidget(view_);
    buildMenu();
    for (const MenuExtension& extend : menuExtensions_) extend(*this);
    if (!buildToolBar()) return false;
    buildAccelerators();
    buildStatusBar();
    connect(&doc_, &CKrovelDeviceDoc::titleChanged, this, &CMainFrame::updateCaption);
    updateCaption();
    view_->setFocus();
    return true;
}

void CMainFrame::buildMenu() {
    for (const MenuPopupSpec& popup : MainMenu()) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(popup.title));
        // Keep every separator of the resource, the leading and doubled ones too.
        menu->setSeparatorsCollapsible(false);
        for (const MenuItemSpec& item : popup.items) {
            if (item.id == SeparatorId) {
                menu->addSeparator();
                continue;
            }
            // The text keeps its "\t" part: the menu shows it as the shortcut column.
            QAction* a = menu->addAction(QString::fromLatin1(item.text));
            a->setStatusTip(ToQt(StatusPrompt(item.id)));
            router_.bindAction(a, item.id);
            menuActions_[item.id] = a;
        }
        connect(menu, &QMenu::aboutToShow, &router_, &CommandRouter::refreshActions);
    }
}

bool CMainFrame::buildToolBar() {
    toolBar_ = new QToolBar(QStringLiteral("Standard"), this);
    toolBar_->setObjectName(QStringLiteral("toolbar128"));
    toolBar_->setIconSize(ToolbarImageSize);
    toolBar_->setMovable(true);
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    for (int id : MainToolbar()) {
        if (id == SeparatorId) {
            toolBar_->addSeparator();
            continue;
        }
        QIcon icon = ToolbarIcon(id);
        if (icon.isNull()) return false; // a button image is missing
        // Buttons have no text, so a command without a tooltip string shows none.
        auto* a = new QAction(icon, QString(), toolBar_);
        a->setToolTip(ToQt(TooltipText(id)));
        a->setStatusTip(ToQt(StatusPrompt(id)));
        router_.bindAction(a, id);
        toolBar_->addAction(a);
        toolbarActions_[id] = a;
    }
    addToolBar(Qt::TopToolBarArea, toolBar_);

    // The ModeBar's place: its own row under the toolbar, empty until a report needs it.
    addToolBarBreak(Qt::TopToolBarArea);
    modeBarArea_ = new QToolBar(QStringLiteral("ModeBar"), this);
    modeBarArea_->setObjectName(QStringLiteral("modeBarArea"));
    modeBarArea_->setMovable(false);
    modeBarArea_->setFloatable(false);
    modeBarArea_->toggleViewAction()->setVisible(false);
    // The bars come and go inside one holder that stays in the row.
    modeBarHolder_ = new QWidget(modeBarArea_);
    auto* holderLayout = new QHBoxLayout(modeBarHolder_);
    holderLayout->setContentsMargins(0, 0, 0, 0);
    holderLayout->setSizeConstraint(QLayout::SetFixedSize);
    modeBarArea_->addWidget(modeBarHolder_);
    addToolBar(Qt::TopToolBarArea, modeBarArea_);
    modeBarArea_->hide();
    return true;
}

void CMainFrame::buildAccelerators() {
    for (const AcceleratorSpec& acc : Accelerators()) {
        auto* s = new QShortcut(QKeySequence(QString::fromLatin1(acc.keys)), this);
        s->setContext(Qt::WindowShortcut);
        const int id = acc.id;
        connect(s, &QShortcut::activated, &router_, [this, id] { router_.send(id); });
    }
}

void CMainFrame::buildStatusBar() {
    QStatusBar* bar = statusBar();
    static const char* const names[3] = {"CAP", "NUM", "SCRL"};
    for (int i = 0; i < 3; ++i) {
        auto* l = new QLabel(QString::fromLatin1(names[i]), bar);
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setAlignment(Qt::AlignCenter);
        l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
        bar->addPermanentWidget(l);
        indicators_[i] = l;
    }
    locks_ = new LockKeyState(this);
    connect(locks_, &LockKeyState::changed, this, &CMainFrame::updateIndicators);
    updateIndicators();
}

void CMainFrame::updateIndicators() {
    // An indicator whose lock is off is greyed.
    indicators_[0]->setEnabled(locks_->caps());
    indicators_[1]->setEnabled(locks_->num());
    indicators_[2]->setEnabled(locks_->scroll());
}

void CMainFrame::addStatusPane(QWidget* pane) {
    statusBar()->insertPermanentWidget(0, pane);
}

void CMainFrame::updateCaption() {
    setWindowTitle(doc_.title() + QStringLiteral(" - ") + QString::fromLatin1(FrameTitle));
}

void CMainFrame::DockModeBar(QWidget* bar) {
    HideModeBar();
    if (!bar) return;
    modeBar_ = bar;
    modeBarHolder_->layout()->addWidget(bar);
    bar->show();
    modeBarArea_->show();
}

void CMainFrame::HideModeBar() {
    if (!modeBar_) return;
    modeBarArea_->hide();
    modeBar_->hide();
    modeBarHolder_->layout()->removeWidget(modeBar_);
    // Destroyed once control returns to the event loop: the command that replaces the
    // bar may have come from one of its own buttons or combo boxes.
    modeBar_->deleteLater();
    modeBar_ = nullptr;
}

void CMainFrame::RepaintAll() {
    update();
    repaint();
}

QAction* CMainFrame::menuAction(int id) const {
    auto it = menuActions_.find(id);
    return it == menuActions_.end() ? nullptr : it->second;
}

QAction* CMainFrame::toolbarAction(int id) const {
    auto it = toolbarActions_.find(id);
    return it == toolbarActions_.end() ? nullptr : it->second;
}

} // namespace krovel
