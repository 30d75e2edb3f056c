// Recording doubles of the program-wide objects: each call is written to one
// trace, in the order the calls come, so a test sees the order of calls across
// the assistant, the style manager, the splash and the restyle objects.
#pragma once

#include "app/frame/ProcedureServices.h"
#include "assistant/AssistantClass.h"
#include "platform/files/FileKey.h"
#include "platform/files/KeyedFile.h"
#include "restyle/ZelRestyleClass.h"
#include "splash/ZelSplashClass.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

using Calls = std::vector<std::string>;

struct Trace {
    Calls calls;
    // Runs at every call once it is written down: a look at the program's
    // state at that moment.
    std::function<void(const std::string& call)> onCall;

    void add(std::string call) {
        calls.push_back(std::move(call));
        if (onCall) onCall(calls.back());
    }
    // The calls that begin with one of the prefixes.
    Calls only(std::initializer_list<std::string> prefixes) const {
        Calls out;
        for (const std::string& call : calls)
            for (const std::string& prefix : prefixes)
                if (call.rfind(prefix, 0) == 0) {
                    out.push_back(call);
                    break;
                }
        return out;
    }
};

inline std::string withNumber(const std::string& call, platform::Long n) { return call + " " + std::to_string(n); }

struct RecordingAssistant : AssistantClass {
    Trace* trace;
    explicit RecordingAssistant(Trace& t) : trace(&t) {}
    void Construct() override { trace->add("assistant.Construct"); }
    void Destruct() override { trace->add("assistant.Destruct"); }
    void LoadSettings() override { trace->add("assistant.LoadSettings"); }
    void Kill() override { trace->add("assistant.Kill"); }
    void InitWindow(const std::string& p) override { trace->add("assistant.InitWindow " + p); }
    void TakeEvent(const std::string& p, platform::Long h) override {
        trace->add(withNumber("assistant.TakeEvent " + p, h));
    }
    void TakeAlertKey(const std::string& p, platform::Long h) override {
        trace->add(withNumber("assistant.TakeAlertKey " + p, h));
    }
    void TakeWindowClosed(const std::string& p) override { trace->add("assistant.TakeWindowClosed " + p); }
    void TakeApplicationWindow(platform::Long h) override {
        trace->add(withNumber("assistant.TakeApplicationWindow", h));
    }
};

struct RecordingRestyle : ZelRestyleClass {
    Trace* trace;
    platform::Byte refuse;
    platform::Byte consume;
    explicit RecordingRestyle(Trace& t, platform::Byte refuseInit = 0, platform::Byte consumeEvents = 0)
        : trace(&t), refuse(refuseInit), consume(consumeEvents) {}
    platform::Byte Init(const std::string& p, RestyleManager&) override {
        trace->add("restyle.Init " + p);
        return refuse;
    }
    void AddControl(const std::string& d, const std::string& l, platform::Long n) override {
        trace->add(withNumber("restyle.AddControl " + d + " " + l, n));
    }
    void AddMenuSetting(platform::Long n, platform::Byte kind) override {
        trace->add(withNumber(withNumber("restyle.AddMenuSetting", n), kind));
    }
    void Open(platform::Window&, platform::Byte s) override { trace->add(withNumber("restyle.Open", s)); }
    platform::Byte TakeEvent() override {
        trace->add("restyle.TakeEvent");
        return consume;
    }
    void Destruct() override { trace->add("restyle.Destruct"); }
};

struct RecordingStyleManager : ZelStylemanagerClass {
    Trace* trace;
    explicit RecordingStyleManager(Trace& t) : trace(&t) {}
    void Init() override { trace->add("styleManager.Init"); }
    void Kill() override { trace->add("styleManager.Kill"); }
    void SetUserName(platform::String<255>& userName) override {
        ZelStylemanagerClass::SetUserName(userName);
        trace->add("styleManager.SetUserName");
    }
    // Binders: the file and its keys by label.
    void SetPropertyFile(platform::KeyedFile& file, platform::FileKey& key, platform::AnyRef controlTypeEquate,
                         platform::AnyRef propertyEquate, platform::AnyRef property,
                         platform::AnyRef propertyDescription, platform::AnyRef hideFromEndUser) override {
        ZelStylemanagerClass::SetPropertyFile(file, key, controlTypeEquate, propertyEquate, property,
                                              propertyDescription, hideFromEndUser);
        trace->add("styleManager.SetPropertyFile " + file.label() + " " + key.label());
    }
    void SetConditionSetFile(platform::KeyedFile& file, platform::FileKey& primaryKey, platform::FileKey& sortKey,
                             platform::AnyRef userName, platform::AnyRef profile, platform::AnyRef procedureName,
                             platform::AnyRef groupName, platform::AnyRef conditionalSet,
                             platform::AnyRef conditionalSetId) override {
        ZelStylemanagerClass::SetConditionSetFile(file, primaryKey, sortKey, userName, profile, procedureName,
                                                  groupName, conditionalSet, conditionalSetId);
        trace->add("styleManager.SetConditionSetFile " + file.label() + " " + primaryKey.label() + " " +
                   sortKey.label());
    }
    void SetConditionFile(platform::KeyedFile& file, platform::FileKey& key, platform::AnyRef conditionalSetId,
                          platform::AnyRef conditionalId, platform::AnyRef control, platform::AnyRef propertyEquate,
                          platform::AnyRef comparison, platform::AnyRef value, platform::AnyRef manualValue) override {
        ZelStylemanagerClass::SetConditionFile(file, key, conditionalSetId, conditionalId, control, propertyEquate,
                                               comparison, value, manualValue);
        trace->add("styleManager.SetConditionFile " + file.label() + " " + key.label());
    }
    void SetRestyleFile(platform::KeyedFile& file, platform::FileKey& key, platform::AnyRef conditionalSetId,
                        platform::AnyRef property, platform::AnyRef parameter, platform::AnyRef value) override {
        ZelStylemanagerClass::SetRestyleFile(file, key, conditionalSetId, property, parameter, value);
        trace->add("styleManager.SetRestyleFile " + file.label() + " " + key.label());
    }
    // The set-up itself needs the files, which the double never opens; so
    // does the styled message box, so the layer's box asks, as it does while
    // the real set-up opens them.
    void Setup(platform::Long hotKey) override {
        CONFIGUREHOTKEY = hotKey;
        USECLARIONMESSAGEBOX = 1;
        trace->add(withNumber("styleManager.Setup", hotKey));
    }
    void SaveSettings() override { trace->add("styleManager.SaveSettings"); }
    // Writes down what came, then shows the box.
    platform::Long Message(const std::string& text, const std::string& caption, const std::string& icon,
                           const std::string& buttons, platform::Long defaultButton, platform::Long style,
                           platform::Byte flag1, platform::Byte flag2, platform::Byte flag3) override {
        trace->add("styleManager.Message " + text + " ; " + caption + " ; " + icon + " ; " + buttons + " ; " +
                   std::to_string(defaultButton) + " ; " + std::to_string(style) + " ; " + std::to_string(flag1) +
                   std::to_string(flag2) + std::to_string(flag3));
        return ZelStylemanagerClass::Message(text, caption, icon, buttons, defaultButton, style, flag1, flag2, flag3);
    }
};

struct RecordingSplash : ZelSplashClass {
    Trace* trace;
    explicit RecordingSplash(Trace& t) : trace(&t) {}
    void Show(platform::Byte seconds) override { trace->add(withNumber("splash.Show", seconds)); }
};

// Every program-wide object recorded on one trace, each window's restyle
// object too, once put in place of the program's own.
struct RecordedProgram {
    Trace trace;
    RecordingAssistant assistant{trace};
    RecordingStyleManager styleManager{trace};
    RecordingSplash splash{trace};
    // The restyle objects made so far, in the order the windows made them;
    // each lives as long as its window procedure.
    std::vector<RecordingRestyle*> restyles;

    void install() {
        procedureServices() = {&assistant,
                               [this] {
                                   auto restyle = std::make_unique<RecordingRestyle>(trace);
                                   restyles.push_back(restyle.get());
                                   return restyle;
                               },
                               &styleManager, &splash};
    }
};
