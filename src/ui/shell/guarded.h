#pragma once
// One guarded way to run a handler: an exception that a handler throws is shown
// through the message service (critical icon, the exception's description)
// instead of reaching Qt's event loop. Connect every handler through it:
//
//   connect(cmdDraw, &QPushButton::clicked, this, Guarded([this] { cmdDraw_Click(); }));
//   connect(Inp[0], &QLineEdit::textChanged, this, Guarded([this](const QString& t) { ... }));

#include <exception>
#include <type_traits>
#include <utility>

namespace kinhom {

// Shows the description of an exception that escaped a handler (through the
// application's message service; to stderr when there is no application).
void ShowHandlerError(const char* what) noexcept;

template <class F>
auto Guarded(F f)
{
    return [f = std::move(f)](auto&&... args) {
        try {
            // A handler may ignore the signal's arguments.
            if constexpr (std::is_invocable_v<F&, decltype(args)...>)
                f(std::forward<decltype(args)>(args)...);
            else
                f();
        } catch (const std::exception& e) {
            ShowHandlerError(e.what());
        } catch (...) {
            ShowHandlerError("unknown error");
        }
    };
}

} // namespace kinhom
