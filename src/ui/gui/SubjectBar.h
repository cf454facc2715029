// The SubjectBar: the subject and test fields along the top of the view (template 130).
// It is a display: its visible edits are read-only, exercise, sport and sex exist but
// are hidden, and the STOP button shows only during a live measurement.
#pragma once

#include "base/gui/DialogTemplate.h"
#include "data/core/SubjectBarSync.h"

namespace krovel {

inline constexpr int SubjectBarTemplateId = 130;

// Labels of the test fields, shown (with their edits) by the report and live commands.
enum SubjectBarLabelId : int {
    IdBarbellWeightLabel = 1048,
    IdSignalBelowLabel = 1049,
    IdSetNoLabel = 1050,
    IdSignalBelowPercent = 1051,
    IdSignalAboveLabel = 1052,
    IdSignalAbovePercent = 1053,
};

const DialogTemplate& SubjectBarTemplate();

class SubjectBar : public TemplateForm, public SubjectBarFields {
    Q_OBJECT
public:
    explicit SubjectBar(QWidget* parent = nullptr);

    std::string text(int id) const override;
    void setText(int id, const std::string& text) override;
    int checkedRadio(int first, int last) const override;
    void checkRadio(int first, int last, int id) override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace krovel
