#include "platform/ui/view/ControlViews.h"

#include "platform/ui/Equates.h"

#include <map>

namespace platform {

std::unique_ptr<ControlView> makeControlView(Long type, WindowView& window, Long number) {
    static const std::map<Long, ControlViewMaker> makers = {
        {CREATE::entry, makeEntryView},   {CREATE::combo, makeComboView},   {CREATE::text, makeTextBoxView},
        {CREATE::list, makeListView},     {CREATE::spin, makeSpinView},     {CREATE::button, makeButtonView},
        {CREATE::check, makeCheckView},   {CREATE::prompt, makeLabelView},  {CREATE::string, makeLabelView},
        {CREATE::sstring, makeLabelView}, {CREATE::image, makeImageView},   {CREATE::sheet, makeSheetView},
        {CREATE::tab, makeTabView},
    };
    const auto maker = makers.find(type);
    return (maker == makers.end() ? makePlainView : maker->second)(window, number);
}

}  // namespace platform
