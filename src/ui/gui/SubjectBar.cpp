#include "ui/gui/SubjectBar.h"

#include <QPainter>

#include "base/gui/QtText.h"

namespace krovel {

const DialogTemplate& SubjectBarTemplate() {
    using K = ControlKind;
    constexpr int S = NoControlId;
    static const DialogTemplate t{
        SubjectBarTemplateId,
        "",
        479,
        96,
        {
            {K::Label, S, "Subject:", 11, 15, 27, 8},
            {K::Edit, IdSubjectName, "", 40, 12, 93, 14, ReadOnly},
            {K::Label, S, "Exercise:", 141, 15, 30, 8, Hidden},
            {K::Edit, IdExercise, "", 171, 12, 102, 14, Hidden},
            {K::Label, IdBarbellWeightLabel, "Barbel weight:", 283, 15, 46, 8},
            {K::Edit, IdBarbellWeight, "", 332, 13, 29, 14, ReadOnly},
            {K::Label, IdBarbellUnit, "(kg)", 366, 16, 15, 8},
            {K::Label, IdSetNoLabel, "Set No:", 398, 15, 25, 8},
            {K::Edit, IdSetNo, "", 426, 12, 20, 14, ReadOnly | DigitsOnly},
            {K::Label, S, "Comment:", 7, 35, 32, 8},
            {K::Edit, IdComment, "", 40, 33, 239, 14, ReadOnly},
            {K::Label, IdSignalBelowLabel, "Signal below:", 285, 35, 43, 8},
            {K::Edit, IdSignalBelow, "", 332, 33, 22, 14, ReadOnly | DigitsOnly},
            {K::Label, IdSignalBelowPercent, "%", 356, 35, 12, 8},
            {K::Label, IdSignalAboveLabel, "Signal above:", 379, 35, 44, 8},
            {K::Edit, IdSignalAbove, "", 426, 33, 19, 14, ReadOnly | DigitsOnly},
            {K::Label, IdSignalAbovePercent, "%", 449, 35, 8, 8},
            {K::GroupBox, S, "", 40, 47, 53, 38, Hidden},
            {K::Label, S, "Sex:", 21, 56, 15, 8, Hidden},
            {K::Radio, IdSexFemale, "Female", 43, 58, 40, 10, Hidden | GroupStart},
            {K::Radio, IdSexMale, "Male", 43, 74, 41, 11, Hidden},
            {K::Label, S, "Body weight:", 126, 54, 42, 8},
            {K::Edit, IdBodyWeight, "", 171, 52, 29, 14, ReadOnly | DigitsOnly},
            {K::Label, IdBodyWeightUnit, "(kg)", 204, 55, 13, 8},
            {K::Label, S, "Height:", 225, 54, 24, 8},
            {K::Edit, IdHeight, "", 252, 52, 29, 14, ReadOnly},
            {K::Label, S, "(cm)", 282, 55, 14, 8},
            {K::Label, S, "Date:", 309, 54, 18, 8},
            {K::Edit, IdDate, "", 332, 52, 43, 14, ReadOnly},
            {K::Label, S, "Time:", 405, 54, 18, 8},
            {K::Edit, IdTime, "", 426, 52, 33, 14, ReadOnly},
            {K::Label, S, "Sport:", 147, 71, 20, 8, Hidden},
            {K::Edit, IdSport, "", 171, 69, 101, 14, Hidden},
            {K::Button, IdStop, "STOP", 351, 70, 50, 14, Hidden},
        }};
    return t;
}

SubjectBar::SubjectBar(QWidget* parent) : TemplateForm(SubjectBarTemplate(), parent) {
    // A bar has the face colour of the controls, whatever the view draws behind it.
    setAutoFillBackground(true);
}

std::string SubjectBar::text(int id) const {
    return FromQt(controlText(id));
}

void SubjectBar::setText(int id, const std::string& text) {
    setControlText(id, ToQt(text));
}

int SubjectBar::checkedRadio(int first, int last) const {
    return TemplateForm::checkedRadio(first, last);
}

void SubjectBar::checkRadio(int first, int last, int id) {
    TemplateForm::checkRadio(first, last, id);
}

void SubjectBar::paintEvent(QPaintEvent*) {
    // The bar's bottom border separates it from the view's drawing.
    QPainter p(this);
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(0, height() - 2, width(), height() - 2);
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(0, height() - 1, width(), height() - 1);
}

} // namespace krovel
