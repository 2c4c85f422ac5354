#include "ui/kinetics/kinnotifyui.h"

#include <QRadioButton>

#include "ui/kinetics/frmkinmodel.h"
#include "ui/shell/application.h"
#include "ui/shell/formnames.h"
#include "ui/shell/modellinputform.h"

namespace kinhom {

void KinNotifyUi::message(const std::string& text, const std::string& title, int icon)
{
    MsgIcon i = MsgIcon::Critical;
    switch (icon) {
    case KinNotify::Exclamation: i = MsgIcon::Exclamation; break;
    case KinNotify::Information: i = MsgIcon::Information; break;
    default: break;
    }
    app().services().msgBox(QString::fromStdString(text), MsgButtons::OK, i, QString::fromStdString(title));
}

void KinNotifyUi::beep() { app().services().beep(); }

void KinNotifyUi::captionsChanged(int neu)
{
    App& a = app();
    a.SetUnitLabels();
    if (frmKinModel* m = a.find<frmKinModel>())
        if (neu >= 0 && neu < int(m->optZeit.size()) && m->optZeit[std::size_t(neu)])
            m->optZeit[std::size_t(neu)]->setChecked(true);
}

void KinNotifyUi::rateConstantsConverted(double factor)
{
    App& a = app();
    for (const char* name : names::kInputWindows)
        if (auto* f = dynamic_cast<ModellInputForm*>(a.findForm(QString::fromLatin1(name))))
            f->ConvertRateConstants(factor);
}

} // namespace kinhom
