#include "base/gui/DialogTemplate.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <limits>

#include "base/core/CommandIds.h"
#include "base/gui/QtText.h"
#include "base/gui/SvgImages.h"

namespace krovel {

namespace {

// Rounded a * b / c, as the classic dialog-unit conversion computes it.
int MulDiv(int a, int b, int c) {
    long long p = static_cast<long long>(a) * b;
    return static_cast<int>((p >= 0 ? p + c / 2 : p - c / 2) / c);
}

QString Text(const std::string& s) {
    return ToQt(s);
}

} // namespace

QFont DialogFont(const std::string& face, int pointSize) {
    // The named face when installed, else the closest sans-serif face that is (the
    // font system would otherwise substitute its own default for a missing name).
    QString family = QStringLiteral("Sans Serif");
    const QStringList installed = QFontDatabase::families();
    for (const QString& f :
         {Text(face), QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
          QStringLiteral("Arimo"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")})
        if (installed.contains(f, Qt::CaseInsensitive)) {
            family = f;
            break;
        }
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    // Points at the classic 96 dots per inch, as a pixel size so that every screen
    // and the offscreen platform lay the templates out alike.
    font.setPixelSize(MulDiv(pointSize, 96, 72));
    return font;
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
    QFontMetrics fm(font);
    static const QString letters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    // Average width of the 52 letters, rounded: the classic average character width.
    const int width = (fm.horizontalAdvance(letters) / 26 + 1) / 2;
    return {width > 0 ? width : 1, fm.height() > 0 ? fm.height() : 1};
}

QRect DialogUnitsToPixels(const QRect& u, DialogBaseUnits base) {
    return QRect(MulDiv(u.x(), base.x, 4), MulDiv(u.y(), base.y, 8), MulDiv(u.width(), base.x, 4),
                 MulDiv(u.height(), base.y, 8));
}

TemplateForm::TemplateForm(const DialogTemplate& tmpl, QWidget* parent)
    : QWidget(parent), templateId_(tmpl.id), font_(DialogFont(tmpl.fontFace, tmpl.pointSize)),
      base_(BaseUnitsOf(font_)) {
    setFont(font_);
    setFixedSize(toPixels(0, 0, tmpl.width, tmpl.height).size());
    QButtonGroup* radioGroup = nullptr;
    for (const ControlTemplate& c : tmpl.controls) {
        QWidget* w = createControl(c, radioGroup);
        w->setProperty("controlId", c.id);
        if (c.id != NoControlId) {
            w->setObjectName(QStringLiteral("control%1").arg(c.id));
            byId_.emplace(c.id, w);
        }
        if (c.flags & Disabled) w->setEnabled(false);
        if (c.flags & Hidden) w->setVisible(false);
        ordered_.push_back(w);
    }
}

QRect TemplateForm::toPixels(int x, int y, int w, int h) const {
    return DialogUnitsToPixels(QRect(x, y, w, h), base_);
}

QWidget* TemplateForm::createControl(const ControlTemplate& c, QButtonGroup*& radioGroup) {
    const QRect r = toPixels(c.x, c.y, c.w, c.h);
    const QString text = Text(c.text);
    if (c.kind != ControlKind::Radio) radioGroup = nullptr;
    // Labels and combo boxes size themselves from the rectangle; the rest fill it.
    QWidget* w = nullptr;
    switch (c.kind) {
    case ControlKind::Label:
        return createLabel(c, text, r);
    case ControlKind::Picture:
        w = createPicture(text, r);
        break;
    case ControlKind::Edit:
        w = createEdit(c, text);
        break;
    case ControlKind::DropDownList:
    case ControlKind::DropDown:
        return createComboBox(c, r);
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::Radio:
        w = createClickable(c, text, radioGroup);
        break;
    case ControlKind::GroupBox:
        w = new QGroupBox(text, this);
        w->lower(); // behind the controls it frames, which are its siblings
        break;
    case ControlKind::ProgressBar: {
        auto* p = new QProgressBar(this);
        p->setTextVisible(false);
        p->setRange(0, 100);
        p->setValue(0);
        w = p;
        break;
    }
    }
    if (!w) w = new QWidget(this);
    w->setGeometry(r);
    return w;
}

QWidget* TemplateForm::createLabel(const ControlTemplate& c, const QString& text, const QRect& r) {
    auto* l = new QLabel(text, this);
    Qt::Alignment h = (c.flags & CentreText)  ? Qt::AlignHCenter
                      : (c.flags & RightText) ? Qt::AlignRight
                                              : Qt::AlignLeft;
    l->setAlignment(h | Qt::AlignTop);
    l->setWordWrap(text.contains('\n'));
    // Our fonts run a little wider than the bitmap font the templates were laid out
    // with: a one-line label grows to its text instead of losing its last letters.
    QRect box = r;
    if (!l->wordWrap() && !(c.flags & (CentreText | RightText)))
        box.setWidth(std::max(r.width(), QFontMetrics(font_).horizontalAdvance(text) + 1));
    l->setGeometry(box);
    return l;
}

QWidget* TemplateForm::createPicture(const QString& resource, const QRect& r) {
    auto* l = new QLabel(this);
    l->setPixmap(resource.endsWith(QLatin1String(".svg"))
                     ? RenderSvg(resource, r.size(), devicePixelRatioF())
                     : QPixmap(resource));
    l->setScaledContents(true);
    return l;
}

QWidget* TemplateForm::createEdit(const ControlTemplate& c, const QString& text) {
    auto* e = new QLineEdit(text, this);
    // Qt cuts edit text at 32767 characters by default; the fields mirror strings of
    // any length (a file's comment), which must come back whole.
    e->setMaxLength(std::numeric_limits<int>::max());
    e->setReadOnly(c.flags & ReadOnly);
    if (c.flags & DigitsOnly)
        e->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), e));
    if (c.flags & CentreText) e->setAlignment(Qt::AlignCenter);
    if (c.flags & ReadOnly) {
        // Read-only edits look like the classic ones: the face colour behind the text.
        QPalette p = e->palette();
        p.setColor(QPalette::Base, p.color(QPalette::Window));
        e->setPalette(p);
    }
    return e;
}

QWidget* TemplateForm::createComboBox(const ControlTemplate& c, const QRect& r) {
    auto* cb = new QComboBox(this);
    cb->setEditable(c.kind == ControlKind::DropDown);
    cb->setInsertPolicy(QComboBox::NoInsert);
    // The template height includes the dropped list; the closed box keeps the
    // font's own height and the list shows as many items as fit.
    const int closed = cb->sizeHint().height();
    const int row = QFontMetrics(font_).height() + 2;
    cb->setMaxVisibleItems(std::max(1, (r.height() - closed) / row));
    cb->setGeometry(r.x(), r.y(), r.width(), closed);
    cb->setProperty("sortedItems", bool(c.flags & Sorted));
    const int id = c.id;
    connect(cb, &QComboBox::activated, this,
            [this, id](int index) { emit selectionChanged(id, index); });
    return cb;
}

QWidget* TemplateForm::createClickable(const ControlTemplate& c, const QString& text,
                                       QButtonGroup*& radioGroup) {
    QAbstractButton* b = nullptr;
    if (c.kind == ControlKind::Button) {
        auto* push = new QPushButton(text, this);
        push->setDefault(c.flags & DefaultButton);
        push->setAutoDefault(c.flags & DefaultButton);
        b = push;
    } else if (c.kind == ControlKind::CheckBox) {
        b = new QCheckBox(text, this);
    } else {
        b = new QRadioButton(text, this);
        b->setAutoExclusive(false);
        if (!radioGroup || (c.flags & GroupStart)) {
            radioGroup = new QButtonGroup(this);
            radioGroups_.push_back(radioGroup);
        }
        radioGroup->addButton(b);
    }
    const int id = c.id;
    connect(b, &QAbstractButton::clicked, this, [this, id] { emit controlCommand(id); });
    return b;
}

QWidget* TemplateForm::control(int id) const {
    auto it = byId_.find(id);
    return it == byId_.end() ? nullptr : it->second;
}

QLineEdit* TemplateForm::edit(int id) const {
    return qobject_cast<QLineEdit*>(control(id));
}
QComboBox* TemplateForm::combo(int id) const {
    return qobject_cast<QComboBox*>(control(id));
}
QAbstractButton* TemplateForm::button(int id) const {
    return qobject_cast<QAbstractButton*>(control(id));
}
QLabel* TemplateForm::label(int id) const {
    return qobject_cast<QLabel*>(control(id));
}
QProgressBar* TemplateForm::progressBar(int id) const {
    return qobject_cast<QProgressBar*>(control(id));
}

QString TemplateForm::controlText(int id) const {
    QWidget* w = control(id);
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    if (auto* cb = qobject_cast<QComboBox*>(w)) return cb->currentText();
    if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
    return {};
}

void TemplateForm::setControlText(int id, const QString& text) {
    QWidget* w = control(id);
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(text);
        e->setCursorPosition(0); // show the start of long texts, as the classic edit does
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setText(text);
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->setText(text);
    } else if (auto* cb = qobject_cast<QComboBox*>(w)) {
        if (cb->isEditable()) cb->setEditText(text);
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        g->setTitle(text);
    }
}

int TemplateForm::checkedRadio(int first, int last) const {
    for (int id = first; id <= last; ++id) {
        auto* b = qobject_cast<QRadioButton*>(control(id));
        if (b && b->isChecked()) return id;
    }
    return 0;
}

void TemplateForm::checkRadio(int first, int last, int id) {
    for (int i = first; i <= last; ++i) {
        auto* b = qobject_cast<QRadioButton*>(control(i));
        if (!b) continue;
        // An exclusive group refuses to uncheck its checked button; lift that briefly.
        QButtonGroup* g = b->group();
        const bool exclusive = g && g->exclusive();
        if (g) g->setExclusive(false);
        b->setChecked(i == id);
        if (g) g->setExclusive(exclusive);
    }
}

int TemplateForm::addComboString(int id, const QString& text) {
    QComboBox* cb = combo(id);
    if (!cb) return -1;
    int index = cb->count();
    if (cb->property("sortedItems").toBool()) {
        index = 0;
        while (index < cb->count() && cb->itemText(index).compare(text, Qt::CaseInsensitive) <= 0)
            ++index;
    }
    cb->insertItem(index, text);
    return index;
}

TemplateDialog::TemplateDialog(const DialogTemplate& tmpl, QWidget* parent) : QDialog(parent) {
    setWindowTitle(Text(tmpl.title));
    form_ = new TemplateForm(tmpl, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(form_);
    setFixedSize(form_->size());
    connect(form_, &TemplateForm::controlCommand, this, [this](int id) {
        if (id == cmd::DialogOk)
            OnOK();
        else if (id == cmd::DialogCancel)
            OnCancel();
        else
            OnControlCommand(id);
    });
    connect(form_, &TemplateForm::selectionChanged, this,
            [this](int id, int index) { OnSelectionChanged(id, index); });
}

} // namespace krovel
