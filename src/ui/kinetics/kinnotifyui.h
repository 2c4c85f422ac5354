#pragma once
// What the kinetics routines tell the user, shown through the program's
// services: message boxes, the beep, and the refresh of the unit captions
// after a change of the time unit.

#include "core/kinetics/notify.h"

namespace kinhom {

class KinNotifyUi final : public KinNotify {
public:
    // A message box with the critical, exclamation or information icon.
    void message(const std::string& text, const std::string& title, int icon) override;
    void beep() override;
    // Rewrites the unit captions of the loaded input windows and selects the
    // time-unit option neu of the model window when that is loaded.
    void captionsChanged(int neu) override;
    // Every loaded input window shows the converted k1..k3.
    void rateConstantsConverted(double factor) override;
};

} // namespace kinhom
