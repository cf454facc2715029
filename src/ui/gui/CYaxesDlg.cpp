#include "ui/gui/CYaxesDlg.h"

#include <QLineEdit>

#include <algorithm>
#include <charconv>

#include "base/core/CommandIds.h"
#include "base/core/Prompts.h"
#include "base/gui/CommandRouter.h"
#include "data/core/DataModel.h"
#include "ui/gui/CKrovelDeviceView.h"

namespace krovel {

namespace {

int MinId(int row) {
    return IdFirstAxisEdit + 3 * row;
}
int MaxId(int row) {
    return MinId(row) + 1;
}
int StepId(int row) {
    return MinId(row) + 2;
}

} // namespace

const DialogTemplate& YaxesTemplate() {
    using K = ControlKind;
    static const DialogTemplate t = [] {
        DialogTemplate d{YaxesTemplateId, "Y-axes settings", 255, 181, {}};
        d.controls = {
            {K::Label, NoControlId, "MIN", 90, 15, 20, 8},
            {K::Label, NoControlId, "MAX", 145, 15, 20, 8},
            {K::Label, NoControlId, "STEP", 200, 15, 20, 8},
        };
        static const char* const labels[AxisRangeCount] = {"m (kg)", "F (N)", "v (m/s)", "P (W)"};
        static const int labelX[AxisRangeCount] = {24, 24, 20, 24};
        static const int labelY[AxisRangeCount] = {33, 53, 72, 91};
        for (int q = 0; q < AxisRangeCount; ++q) {
            const int y = 30 + 20 * q;
            d.controls.push_back({K::Label, NoControlId, labels[q], labelX[q], labelY[q], 40, 8});
            // MIN takes any characters so that a minus sign can be typed.
            d.controls.push_back({K::Edit, MinId(q), "", q == 1 ? 76 : 75, y, 42, 12, CentreText});
            d.controls.push_back({K::Edit, MaxId(q), "", 130, y, 42, 12, CentreText | DigitsOnly});
            d.controls.push_back({K::Edit, StepId(q), "", 190, y, 42, 12, CentreText | DigitsOnly});
        }
        d.controls.push_back(
            {K::Button, cmd::DialogOk, "OK", 28, 141, 50, 14, DefaultButton | GroupStart});
        d.controls.push_back({K::Button, cmd::DialogCancel, "Cancel", 198, 141, 50, 14});
        return d;
    }();
    return t;
}

std::optional<int32_t> ParseAxisField(const QString& text) {
    const std::string s = text.trimmed().toStdString();
    if (s.empty()) return std::nullopt;
    // from_chars takes a minus but not a plus sign: skip one plus, refuse a second sign.
    size_t start = 0;
    if (s[0] == '+') {
        start = 1;
        if (start < s.size() && (s[start] == '-' || s[start] == '+')) return std::nullopt;
    }
    int32_t value = 0;
    const char* end = s.data() + s.size();
    auto [stop, error] = std::from_chars(s.data() + start, end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

CYaxesDlg::CYaxesDlg(QWidget* parent) : TemplateDialog(YaxesTemplate(), parent) {
    for (int q = 0; q < AxisRangeCount; ++q) {
        form().edit(MinId(q))->setText(QString::number(AxisRanges[q].Min));
        form().edit(MaxId(q))->setText(QString::number(AxisRanges[q].Max));
        form().edit(StepId(q))->setText(QString::number(AxisRanges[q].Step));
    }
}

void CYaxesDlg::Refuse(int id, const char* text) {
    ShowNotice(text);
    QLineEdit* edit = form().edit(id);
    edit->setFocus();
    edit->selectAll();
}

void CYaxesDlg::OnOK() {
    int32_t values[AxisEditCount];
    for (int k = 0; k < AxisEditCount; ++k) {
        const int id = IdFirstAxisEdit + k;
        const std::optional<int32_t> v = ParseAxisField(form().edit(id)->text());
        if (!v) return Refuse(id, NotAnIntegerText);
        values[k] = *v;
    }
    // A row whose MIN is not below its MAX leaves its graphs without a scale, and a
    // step below 1 without ticks: refuse them rather than draw an empty graph.
    AxisRange ranges[AxisRangeCount];
    for (int q = 0; q < AxisRangeCount; ++q) {
        ranges[q] = {values[3 * q], values[3 * q + 1], values[3 * q + 2]};
        if (ranges[q].Min >= ranges[q].Max) return Refuse(MinId(q), MinNotBelowMaxText);
        if (ranges[q].Step < 1) return Refuse(StepId(q), StepBelowOneText);
    }
    std::copy(std::begin(ranges), std::end(ranges), std::begin(AxisRanges));
    QDialog::accept();
}

void RunAxesSetup(CKrovelDeviceView& view) {
    {
        CYaxesDlg dialog(&view);
        dialog.exec();
    }
    // The series shown stays the current one: only the axes change.
    if (view.ViewMode == ViewModeDigital) view.router().send(cmd::DigitalReport);
    view.Repaint();
}

void RegisterAxesSetupCommand(CKrovelDeviceView& view) {
    view.router().setHandler(cmd::AxesSetup, &view, [&view] { RunAxesSetup(view); });
}

} // namespace krovel
