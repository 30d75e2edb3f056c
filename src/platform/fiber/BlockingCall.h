// Calls that block on something outside the program (a driver waiting for its
// data source) run on the layer's worker thread while the calling fiber keeps
// the lock, as SLEEP does: no other fiber runs, input waits, Qt paints.
//
// Rules:
// - Only the call itself runs on the worker. It touches nothing that a fiber
//   or Qt reads meanwhile (queues, records, globals, the error state, widgets):
//   only its arguments and a result or buffer of its own, which the caller
//   writes into the program's state after the call has returned.
// - Calls run one at a time, in the order they are made; one made while
//   another is waited for (from a Qt handler) waits its turn.
// - A call that ends within a few hundredths of a second costs a hand-over to
//   the worker and back, and Qt gets no turn. One that lasts longer lets Qt
//   paint until it ends, and the window side's hook (setBlockingCallHook) is
//   told: the pointer shows busy, and what the call does (`activity`, such as
//   "Connecting...") shows in the application frame's status bar.
// - What the call throws comes out of runBlocking on the caller.
// - Without a Qt application, or off Qt's thread, the call runs in place.
//
//     const SQLRETURN rc = blockingCall([&] { return SQLExecDirect(statement, text, length); });
//     if (!SQL_SUCCEEDED(rc)) reportError();   // back on the fiber
#pragma once

#include <functional>
#include <optional>
#include <string_view>
#include <type_traits>

namespace platform {

// Told `busy` true with the call's activity (empty: none given) when a call
// has outlasted the unnoticed wait, false when it has ended.
using BlockingCallHook = std::function<void(bool busy, std::string_view activity)>;
// Returns the hook it replaces.
BlockingCallHook setBlockingCallHook(BlockingCallHook hook);

void runBlocking(const std::function<void()>& call, std::string_view activity = {});

// runBlocking of a call with a result.
template <class Call>
auto blockingCall(Call&& call, std::string_view activity = {}) -> std::invoke_result_t<Call&> {
    using Result = std::invoke_result_t<Call&>;
    if constexpr (std::is_void_v<Result>) {
        runBlocking(call, activity);
    } else {
        std::optional<Result> result;
        runBlocking([&] { result.emplace(call()); }, activity);
        return std::move(*result);
    }
}

}  // namespace platform
