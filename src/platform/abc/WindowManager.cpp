#include "platform/abc/WindowManager.h"

#include "platform/abc/ToolbarClass.h"
#include "platform/message/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"

namespace platform {

Byte WindowManager::Init() {
    inited_ = true;
    return Level::Benign;
}

Byte WindowManager::Kill() {
    if (!inited_) return Level::Notify;
    inited_ = false;
    return Level::Benign;
}

Byte WindowManager::Run() {
    if (Init() != Level::Benign) return RequestCancelled;
    Ask();
    Kill();
    return RESPONSE;
}

void WindowManager::Ask() {
    while (window_->accept()) {
        const Byte result = TakeEvent();
        if (result == Level::Fatal) break;
        if (result == Level::Notify) window_->cycle();  // a close request refused
    }
}

Byte WindowManager::TakeEvent() {
    if (window_->field() == 0) return TakeWindowEvent();
    switch (window_->event()) {
        case EVENT::Accepted: return TakeAccepted();
        case EVENT::NewSelection: return TakeNewSelection();
        default: return TakeFieldEvent();
    }
}

Byte WindowManager::TakeWindowEvent() {
    if (window_->event() == EVENT::OpenWindow && FIRSTFIELD != 0) window_->select(FIRSTFIELD);
    return Level::Benign;
}

Byte WindowManager::TakeAccepted() {
    const Long action = window_->numberProperty(window_->field(), PROP::Std);
    return action == STD::None ? Level::Benign : TakeStandardAction(action);
}

Byte WindowManager::TakeStandardAction(Long action) {
    switch (action) {
        case STD::Close: window_->post({EVENT::CloseWindow, 0, 0}); return Level::Benign;
        case STD::HelpIndex:
        case STD::HelpSearch:
        case STD::HelpOnHelp:
            MESSAGE("This program has no help file to open.", "Help", ICON_ASTERISK);
            return Level::Benign;
        default:
            if (WindowView* view = window_->view()) view->standardAction(action);
            return Level::Benign;
    }
}

Byte WindowManager::TakeNewSelection() { return Level::Benign; }

Byte WindowManager::TakeFieldEvent() { return Level::Benign; }

void WindowManager::SetAlerts() {
    for (ToolbarClass* toolbar : toolbars_)
        for (Long key : toolbar->alertKeys()) window_->alert(0, key);
}

}  // namespace platform
