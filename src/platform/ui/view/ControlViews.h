// The views of the control types, one file per type or close family;
// ControlViews.cpp maps the types to them.
#pragma once

#include "platform/ui/view/ControlView.h"

namespace platform {

using ControlViewMaker = std::unique_ptr<ControlView> (*)(WindowView&, Long);

std::unique_ptr<ControlView> makeEntryView(WindowView&, Long);
std::unique_ptr<ControlView> makeTextBoxView(WindowView&, Long);
std::unique_ptr<ControlView> makeComboView(WindowView&, Long);
std::unique_ptr<ControlView> makeDropListView(WindowView&, Long);
std::unique_ptr<ControlView> makeListView(WindowView&, Long);
std::unique_ptr<ControlView> makeSpinView(WindowView&, Long);
std::unique_ptr<ControlView> makeButtonView(WindowView&, Long);
std::unique_ptr<ControlView> makeCheckView(WindowView&, Long);
std::unique_ptr<ControlView> makeRadioView(WindowView&, Long);
std::unique_ptr<ControlView> makeLabelView(WindowView&, Long);
std::unique_ptr<ControlView> makeImageView(WindowView&, Long);
std::unique_ptr<ControlView> makeObjectView(WindowView&, Long);
std::unique_ptr<ControlView> makeGroupView(WindowView&, Long);
std::unique_ptr<ControlView> makeToolbarView(WindowView&, Long);
std::unique_ptr<ControlView> makeSheetView(WindowView&, Long);
std::unique_ptr<ControlView> makeTabView(WindowView&, Long);
std::unique_ptr<ControlView> makeBoxView(WindowView&, Long);
std::unique_ptr<ControlView> makeEllipseView(WindowView&, Long);
std::unique_ptr<ControlView> makeLineView(WindowView&, Long);
std::unique_ptr<ControlView> makeRegionView(WindowView&, Long);
std::unique_ptr<ControlView> makePanelView(WindowView&, Long);
std::unique_ptr<ControlView> makeProgressView(WindowView&, Long);
std::unique_ptr<ControlView> makePlainView(WindowView&, Long);

}  // namespace platform
