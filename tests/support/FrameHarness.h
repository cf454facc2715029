// A main window without the application object: router, document and frame, built
// and shown (offscreen in the widget tests), on a fresh data model.
#pragma once

#include <QTest>

#include <memory>

#include "analysis/gui/AnalysisMenu.h"
#include "app/core/CommandFlags.h"
#include "base/gui/CommandRouter.h"
#include "data/core/DataModel.h"
#include "ui/gui/CKrovelDeviceDoc.h"
#include "ui/gui/CKrovelDeviceView.h"
#include "ui/gui/CMainFrame.h"

namespace krovel::testing {

struct FrameHarness {
    CommandRouter router{CurrentRuleFlags};
    CKrovelDeviceDoc doc;
    std::unique_ptr<CMainFrame> frame;
    bool created = false;
    bool exposed = false;

    // The Analysis menu comes from `analysis`, e.g. AnalysisMenuWith(SwitchSubject).
    explicit FrameHarness(CMainFrame::MenuExtension analysis = InstallAnalysisMenu) {
        ResetDataModel();
        frame = std::make_unique<CMainFrame>(router, doc,
                                             std::vector<CMainFrame::MenuExtension>{analysis});
        created = frame->Create();
        frame->show();
        // Painting (and with it the SubjectBar's copy) happens only once it is exposed.
        exposed = QTest::qWaitForWindowExposed(frame.get());
    }
    CKrovelDeviceView& view() const { return *frame->view(); }
};

} // namespace krovel::testing
