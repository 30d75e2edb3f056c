#include "support/RecordingViewer.h"

#include "platform/message/Message.h"
#include "platform/program/TextViewer.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// Records MESSAGE texts while it lives.
class MessageLog {
public:
    MessageLog() : before_(messageHookValue()) {
        setMessageHookValue(registerMessageHook(
            [this](const std::string& text, const std::string&, const std::string&, const std::string&, Long, Long) {
                texts.push_back(text);
                return Long{1};
            }));
    }
    ~MessageLog() { setMessageHookValue(before_); }
    std::vector<std::string> texts;

private:
    Long before_;
};

TEST(TextViewer, GetsTheFileAsOneArgumentWithoutAShell) {
    RecordingViewer viewer;
    MessageLog messages;
    const std::string file = "/tmp/my folder/it's \"$(touch x)\" & more.txd";
    openInTextViewer(file);
    EXPECT_EQ(viewer.arguments(), (std::vector<std::string>{file}));
    EXPECT_TRUE(messages.texts.empty());
}

TEST(TextViewer, TheVariableNamesOneProgramEvenWithBlanks) {
    RecordingViewer viewer("my viewer --new-window");
    openInTextViewer("/tmp/a.txd");
    EXPECT_EQ(viewer.arguments(), (std::vector<std::string>{"/tmp/a.txd"}));
}

TEST(TextViewer, TheFileNameGoesOutAsUtf8) {
    RecordingViewer viewer;
    openInTextViewer("/tmp/caf\xE9.txd");
    EXPECT_EQ(viewer.arguments(), (std::vector<std::string>{"/tmp/caf\xC3\xA9.txd"}));
}

TEST(TextViewer, AViewerThatCannotStartIsReported) {
    setenv("TXD_VIEWER", "/nonexistent/viewer", 1);
    MessageLog messages;
    openInTextViewer("/tmp/a.txd");
    unsetenv("TXD_VIEWER");
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find("/nonexistent/viewer"), std::string::npos);
    EXPECT_NE(messages.texts[0].find("/tmp/a.txd"), std::string::npos);
}

}  // namespace
