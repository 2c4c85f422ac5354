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

namespace detail {

// Calls the handler with the signal's arguments, or with none when it ignores
// them. Both calls depend on the template's own parameters, so the branch not
// taken is never compiled (a call written directly in the generic lambda below
// would not depend on its arguments, and clang checks such a call at once).
template <class F, class... Args>
void CallHandler(F& f, Args&&... args)
{
    if constexpr (std::is_invocable_v<F&, Args...>)
        f(std::forward<Args>(args)...);
    else
        f();
}

} // namespace detail

template <class F>
auto Guarded(F f)
{
    return [f = std::move(f)](auto&&... args) {
        try {
            detail::CallHandler(f, std::forward<decltype(args)>(args)...);
        } catch (const std::exception& e) {
            ShowHandlerError(e.what());
        } catch (...) {
            ShowHandlerError("unknown error");
        }
    };
}

} // namespace kinhom
