// Helpers of the catalogue tests: a recorder installed as the message hook,
// and a catalogue object on a file of its own.
#pragma once

#include "app/odbccatalog/ODBCCatalogClass.h"
#include "platform/message/Message.h"
#include "platform/odbc/FileProperties.h"

#include <functional>
#include <string>
#include <vector>

// Records every MESSAGE text and answers 1; `onMessage` runs inside the box.
class MessageRecorder {
public:
    MessageRecorder() : before_(platform::messageHookValue()) {
        platform::setMessageHookValue(platform::registerMessageHook(
            [this](const std::string& text, const std::string&, const std::string&, const std::string&,
                   platform::Long, platform::Long) {
                texts.push_back(text);
                if (onMessage) onMessage();
                return platform::Long{1};
            }));
    }
    ~MessageRecorder() { platform::setMessageHookValue(before_); }

    std::vector<std::string> texts;
    std::function<void()> onMessage;

private:
    platform::Long before_;
};

struct CatalogOn {
    explicit CatalogOn(const std::string& connectString) {
        file.setProperty(platform::PROP_Owner, connectString);
        catalog->Init(file);
    }
    ~CatalogOn() { ODBCCatalogClass::Dispose(catalog); }

    platform::OdbcFile file{"ODBCFILE"};
    ODBCCatalogClass* catalog = new ODBCCatalogClass;
};

// The values of one field over all rows of a queue.
template <class Q, class F>
std::vector<std::string> column(const Q& queue, F field) {
    std::vector<std::string> values;
    for (std::size_t i = 1; i <= queue.records(); ++i) values.emplace_back(queue.at(i).*field);
    return values;
}
