// The main window with scripted prompts, for driving the view through its commands:
// series put straight into the table, combo choices made as the user makes them, and
// the RepTable's cells read back.
#pragma once

#include <QComboBox>

#include <string>

#include "device/core/HandOver.h"
#include "measure/core/LiveMeasurementState.h"
#include "measure/core/RepetitionValues.h"
#include "measure/gui/CTarnList.h"
#include "support/FrameHarness.h"
#include "support/ScriptedPrompts.h"
#include "ui/core/ViewState.h"
#include "ui/gui/ModeBar.h"

namespace krovel::testing {

struct ViewHarness : FrameHarness {
    ScriptedPrompts prompts;

    ViewHarness() {
        GraphView.Reset();
        LiveMeasurement.Reset();
        LiveMeasurement.Reset();
        StoreFinished(LiveMeasurement.LiveRequest, 1); // as after start-up: no measurement runs
    }
    ~ViewHarness() { ResetDataModel(); }

    CTarnList& table() const { return view().repTable(); }
    std::string cell(int row, int column) const {
        const QTableWidgetItem* item = table().item(row, column);
        return item ? item->text().toStdString() : std::string("<none>");
    }
    TemplateForm* bar() const { return CurrentModeBar(*frame); }
    QComboBox* combo(int id) const { return bar() ? bar()->combo(id) : nullptr; }
    std::vector<std::string> items(int id) const {
        std::vector<std::string> out;
        if (QComboBox* c = combo(id))
            for (int i = 0; i < c->count(); ++i) out.push_back(c->itemText(i).toStdString());
        return out;
    }
    // The user picks item `index` of a ModeBar combo.
    void choose(int id, int index) const {
        QComboBox* c = combo(id);
        ASSERT_NE(c, nullptr) << "no combo " << id;
        c->setCurrentIndex(index);
        emit c->activated(index);
    }
};

// Series `s` with `reps` repetitions; repetition i has mean velocity byte first + i.
inline void PutSeries(int s, int reps, float mass, int first = 50) {
    Series[s].RepCount = reps;
    Series[s].Mass = mass;
    Series[s].SignalBelowPct = 90;
    Series[s].SignalAbovePct = 100;
    for (int i = 0; i < reps; ++i) {
        Series[s].MeanVelocity[i] = static_cast<uint8_t>(first + i);
        Series[s].MaxVelocity[i] = static_cast<uint8_t>(first + i);
        Series[s].MaxPower[i] = 300.0f + i;
    }
}

} // namespace krovel::testing
