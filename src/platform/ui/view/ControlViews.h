// The views of the control types, one file each; ControlViews.cpp maps the
// types to them.
#pragma once

#include "platform/ui/view/ControlView.h"

namespace platform {

using ControlViewMaker = std::unique_ptr<ControlView> (*)(WindowView&, Long);

std::unique_ptr<ControlView> makeEntryView(WindowView&, Long);
std::unique_ptr<ControlView> makeComboView(WindowView&, Long);
std::unique_ptr<ControlView> makeTextBoxView(WindowView&, Long);
std::unique_ptr<ControlView> makeListView(WindowView&, Long);
std::unique_ptr<ControlView> makeSpinView(WindowView&, Long);
std::unique_ptr<ControlView> makeButtonView(WindowView&, Long);
std::unique_ptr<ControlView> makeCheckView(WindowView&, Long);
std::unique_ptr<ControlView> makeLabelView(WindowView&, Long);
std::unique_ptr<ControlView> makeImageView(WindowView&, Long);
std::unique_ptr<ControlView> makeSheetView(WindowView&, Long);
std::unique_ptr<ControlView> makeTabView(WindowView&, Long);
std::unique_ptr<ControlView> makePlainView(WindowView&, Long);

}  // namespace platform
