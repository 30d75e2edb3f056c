#include "app/frame/WindowProcedure.h"

#include "app/frame/ProcedureServices.h"
#include "app/main/Globals.h"
#include "restyle/ZelRestyleClass.h"

using platform::Byte;
namespace Level = platform::Level;
namespace EVENT = platform::EVENT;
namespace PROP = platform::PROP;

WindowProcedure::WindowProcedure(std::string procedureName, platform::WindowSpec spec, std::string_view firstField)
    : OwnedWindow(std::move(spec)),
      WindowManager(OwnedWindow::window),
      procedureName_(std::move(procedureName)),
      firstField_(firstField.empty() ? 0 : OwnedWindow::window.equate(firstField)),
      assistant_(procedureServices().assistant),
      styleManager_(procedureServices().styleManager),
      restyle_(procedureServices().makeRestyle()) {
    restyle_->Construct();
}

WindowProcedure::~WindowProcedure() = default;

void WindowProcedure::call() {
    GlobalResponse = Run();
    restyle_->Destruct();
    restyle_.reset();
    window().close();
}

Byte WindowProcedure::Run() {
    if (restyle_->Init(procedureName_, *styleManager_)) return Level::Notify;
    return WindowManager::Run();
}

Byte WindowProcedure::Init() {
    GlobalErrors.SetProcedureName(procedureName_);
    REQUEST = GlobalRequest;
    if (const Byte result = WindowManager::Init(); result != Level::Benign) return result;
    FIRSTFIELD = firstField_;
    VCRREQUEST = &VCRRequest;
    ERRORS = &GlobalErrors;
    AddItem(toolbar_);
    GlobalRequest = 0;
    GlobalResponse = 0;
    window().open();
    OPENED = 1;
    registerControls();
    restyle_->Open(window(), 1);
    assistant_->InitWindow(procedureName_);
    setUp();
    SetAlerts();
    return Level::Benign;
}

void WindowProcedure::registerControls() {
    restyle_->AddControl("Window", "Window", 0);
    for (platform::Long n : window().controlNumbers()) {
        const platform::Control* c = window().control(n);
        if (n < 0 || !c) continue;
        const std::string description =
            c->type == platform::CREATE::button ? window().property(n, PROP::Text) : c->label;
        restyle_->AddControl(description, c->label, n);
    }
}

Byte WindowProcedure::Kill() {
    if (const Byte result = WindowManager::Kill(); result != Level::Benign) return result;
    GlobalErrors.SetProcedureName({}, true);
    end();
    return Level::Benign;
}

Byte WindowProcedure::TakeEvent() {
    assistant_->TakeEvent(procedureName_, handle());
    if (restyle_->TakeEvent()) return Level::Notify;
    return WindowManager::TakeEvent();
}

Byte WindowProcedure::TakeWindowEvent() {
    switch (window().event()) {
        case EVENT::AlertKey: assistant_->TakeAlertKey(procedureName_, handle()); break;
        case EVENT::CloseWindow: assistant_->TakeWindowClosed(procedureName_); break;
        default: break;
    }
    return WindowManager::TakeWindowEvent();
}
