// "Y-axes settings": the lowest value, highest value and tick step of the Y axis of each
// plotted quantity (mass, force, velocity, power), i.e. the AxisRanges every graph
// reads. The dialog edits a copy and writes AxisRanges only on a valid OK.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "base/gui/DialogTemplate.h"
#include "data/core/Settings.h"

namespace krovel {

class CKrovelDeviceView;

inline constexpr int YaxesTemplateId = 144;
// Edit ids: row q (PlotQuantity) has MIN at 1002 + 3q, MAX at 1003 + 3q, STEP at 1004 + 3q.
inline constexpr int IdFirstAxisEdit = 1002;
inline constexpr int AxisEditCount = 3 * AxisRangeCount;

inline constexpr const char* NotAnIntegerText = "Please enter an integer.";
inline constexpr const char* MinNotBelowMaxText =
    "The lowest value must be below the highest value.";
inline constexpr const char* StepBelowOneText = "The step must be at least 1.";

const DialogTemplate& YaxesTemplate();

// A field as a signed decimal integer: optional blanks, an optional sign, digits,
// optional blanks, within int32; nothing otherwise.
std::optional<int32_t> ParseAxisField(const QString& text);

class CYaxesDlg : public TemplateDialog {
    Q_OBJECT
public:
    // Fills the twelve fields from AxisRanges.
    explicit CYaxesDlg(QWidget* parent = nullptr);

protected:
    // Reads the fields in id order; a field that is not an integer, or a row that
    // would leave its graph without a scale or ticks, is reported and focused and the
    // dialog stays open. Otherwise AxisRanges takes all twelve values.
    void OnOK() override;

private:
    // Complains about the field `id` and puts the focus there.
    void Refuse(int id, const char* text);
};

// The "Axes setup" command (32791): the dialog, then the last series becomes current,
// the digital report is rebuilt when shown, and the view repaints.
void RunAxesSetup(CKrovelDeviceView& view);
void RegisterAxesSetupCommand(CKrovelDeviceView& view);

} // namespace krovel
