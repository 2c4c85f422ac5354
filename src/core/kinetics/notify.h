#pragma once
// What the kinetics routines have to tell the user. Core shows nothing itself:
// the ui supplies an implementation (message box, beep, caption refresh) and
// tests supply one that records the calls.

#include <string>

namespace kinhom {

struct KinNotify {
    // icons of a message box
    enum Icon { Critical = 0, Exclamation = 1, Information = 2 };

    // A message box with the given text, title and icon (see Icon).
    virtual void message(const std::string& text, const std::string& title, int icon) = 0;
    // The system beep.
    virtual void beep() = 0;
    // The time unit is now neu (0 "s" to 4 "a"): rewrite the unit captions of
    // the input windows and select option neu in the model window if it is loaded.
    virtual void captionsChanged(int neu) = 0;
    // k1..k3 were converted to another time unit (divided by factor): the open
    // input windows convert the rate constants their boxes show.
    virtual void rateConstantsConverted(double factor) { (void)factor; }

    virtual ~KinNotify() = default;
};

// An implementation that tells nobody (for callers without a window).
struct KinNotifyNone final : KinNotify {
    void message(const std::string&, const std::string&, int) override {}
    void beep() override {}
    void captionsChanged(int) override {}
};

} // namespace kinhom
