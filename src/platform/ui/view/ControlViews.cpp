#include "platform/ui/view/ControlViews.h"

#include "platform/ui/Equates.h"

#include <map>

namespace platform {

std::unique_ptr<ControlView> makeControlView(Long type, WindowView& window, Long number) {
    static const std::map<Long, ControlViewMaker> makers = {
        {CREATE::sstring, makeLabelView},    {CREATE::string, makeLabelView},     {CREATE::image, makeImageView},
        {CREATE::region, makeRegionView},    {CREATE::line, makeLineView},        {CREATE::box, makeBoxView},
        {CREATE::ellipse, makeEllipseView},  {CREATE::entry, makeEntryView},      {CREATE::button, makeButtonView},
        {CREATE::prompt, makeLabelView},     {CREATE::option, makeGroupView},     {CREATE::check, makeCheckView},
        {CREATE::group, makeGroupView},      {CREATE::list, makeListView},        {CREATE::combo, makeComboView},
        {CREATE::spin, makeSpinView},        {CREATE::text, makeTextBoxView},     {CREATE::custom, makeObjectView},
        {CREATE::radio, makeRadioView},      {CREATE::ole, makeObjectView},       {CREATE::droplist, makeDropListView},
        {CREATE::dropcombo, makeComboView},  {CREATE::progress, makeProgressView}, {CREATE::sheet, makeSheetView},
        {CREATE::tab, makeTabView},          {CREATE::panel, makePanelView},      {CREATE::toolbar, makeToolbarView},
    };
    const auto maker = makers.find(type);
    return (maker == makers.end() ? makePlainView : maker->second)(window, number);
}

}  // namespace platform
