// Dialog templates as data, and the widgets built from them.
//
// A template gives every control's kind, numeric id, text and rectangle in dialog
// units. TemplateForm creates the controls on one widget at the rectangles converted
// to pixels with the template font (x: average character width / 4, y: font height / 8),
// so layouts keep their designed proportions, and keeps a table id -> widget through
// which code and tests address the controls. Ids are unique within one template only:
// different templates reuse them (1031 is an edit on one bar and a combo on another).
#pragma once

#include <QDialog>
#include <QFont>
#include <QRect>
#include <QWidget>

#include <map>
#include <string>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;

namespace krovel {

enum class ControlKind {
    Label,        // static text
    Edit,         // single-line edit
    DropDownList, // combo box without an edit field
    DropDown,     // combo box with an edit field
    Button,       // push button; a click issues the button's id as a command
    CheckBox,
    Radio,
    GroupBox,
    ProgressBar,
    Picture, // static picture; the text names the image resource (":/...")
};

enum ControlFlag : unsigned {
    ReadOnly = 1u << 0,      // edit: cannot be typed into
    DigitsOnly = 1u << 1,    // edit: typing accepts digits only
    Hidden = 1u << 2,        // created invisible
    GroupStart = 1u << 3,    // radio: starts a new group of exclusive buttons
    Disabled = 1u << 4,      // created disabled
    CentreText = 1u << 5,    // edit or label: centred text
    Sorted = 1u << 6,        // combo: items kept in sorted order
    DefaultButton = 1u << 7, // button: the dialog's default (Enter)
    RightText = 1u << 8,     // label: right-aligned text
};

// Id of controls that code never addresses (labels, group boxes).
inline constexpr int NoControlId = -1;

struct ControlTemplate {
    ControlKind kind;
    int id;
    std::string text;
    int x, y, w, h; // dialog units
    unsigned flags = 0;
};

struct DialogTemplate {
    int id;
    std::string title; // dialogs only; bars have none
    int width, height; // dialog units
    std::vector<ControlTemplate> controls;
    std::string fontFace = "MS Sans Serif";
    int pointSize = 8;
};

// Horizontal and vertical dialog base units of a font, in pixels.
struct DialogBaseUnits {
    int x = 0;
    int y = 0;
};

// The installed font closest to the named dialog font (e.g. "MS Sans Serif" 8 pt).
QFont DialogFont(const std::string& face, int pointSize);
DialogBaseUnits BaseUnitsOf(const QFont& font);
// Dialog units to pixels, rounding as the classic conversion does.
QRect DialogUnitsToPixels(const QRect& units, DialogBaseUnits base);

// A widget holding the controls of one template, sized to the template.
class TemplateForm : public QWidget {
    Q_OBJECT
public:
    explicit TemplateForm(const DialogTemplate& tmpl, QWidget* parent = nullptr);

    int templateId() const { return templateId_; }
    DialogBaseUnits baseUnits() const { return base_; }
    QRect toPixels(int x, int y, int w, int h) const;

    // The control with this id in this form, nullptr when the template has none.
    QWidget* control(int id) const;
    QLineEdit* edit(int id) const;
    QComboBox* combo(int id) const;
    QAbstractButton* button(int id) const;
    QLabel* label(int id) const;
    QProgressBar* progressBar(int id) const;
    // Every control in template order, those without an id included.
    const std::vector<QWidget*>& controls() const { return ordered_; }

    // Text of a control of any kind (edit, label, button, combo's current text).
    QString controlText(int id) const;
    void setControlText(int id, const QString& text);

    // Radio buttons of an id range: the checked one (0 when none), and checking one
    // (an id outside the range unchecks all of them).
    int checkedRadio(int first, int last) const;
    void checkRadio(int first, int last, int id);

    // Adds an item to a combo box, at its sorted place when the template says Sorted;
    // returns the item's index, -1 when the id names no combo box.
    int addComboString(int id, const QString& text);

    QSize sizeHint() const override { return size(); }

signals:
    // A button, radio button or check box was clicked by the user.
    void controlCommand(int id);
    // The user chose an item of a combo box.
    void selectionChanged(int id, int index);

private:
    // One control of the template, placed at its rectangle; radioGroup carries the
    // group of consecutive radio buttons from one control to the next.
    QWidget* createControl(const ControlTemplate& c, QButtonGroup*& radioGroup);
    QWidget* createLabel(const ControlTemplate& c, const QString& text, const QRect& r);
    QWidget* createPicture(const QString& resource, const QRect& r);
    QWidget* createEdit(const ControlTemplate& c, const QString& text);
    QWidget* createComboBox(const ControlTemplate& c, const QRect& r);
    QWidget* createClickable(const ControlTemplate& c, const QString& text,
                             QButtonGroup*& radioGroup);

    int templateId_;
    QFont font_;
    DialogBaseUnits base_;
    std::map<int, QWidget*> byId_;
    std::vector<QWidget*> ordered_;
    std::vector<QButtonGroup*> radioGroups_;
};

// A modal dialog made from a template. Button 1 runs OnOK, button 2 and Esc run
// OnCancel; other buttons and combo choices reach the two virtual hooks.
class TemplateDialog : public QDialog {
    Q_OBJECT
public:
    explicit TemplateDialog(const DialogTemplate& tmpl, QWidget* parent = nullptr);

    TemplateForm& form() { return *form_; }
    void reject() override { OnCancel(); }

protected:
    virtual void OnOK() { QDialog::accept(); }
    virtual void OnCancel() { QDialog::reject(); }
    virtual void OnControlCommand(int) {}
    virtual void OnSelectionChanged(int, int) {}

private:
    TemplateForm* form_;
};

} // namespace krovel
