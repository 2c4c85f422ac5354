#pragma once
// The tips window: one tip at a time from the tips file in the program folder,
// "&Next tip", and the "Show tips at startup" setting.

#include <QString>

#include "core/shell/tips.h"
#include "ui/shell/kinform.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace kinhom {

class frmTip : public KinWidget {
    Q_OBJECT
public:
    explicit frmTip(QWidget* parent = nullptr);

    void Form_Load() override;
    bool visibleOnLoad() const override;

    // Whether the tips stay closed at start-up: switched off in the settings
    // and not asked for through the menu.
    static bool SwitchedOffAtStartup();

    void cmdTipsZeigen_Click();
    void cmdNextTip_Click();
    void cmdOK_Click();
    void chkLoadTipsAtStartup_Click();
    void DoNextTip();
    void DisplayCurrentTip();

    const TipState& tips() const { return state_; }
    QString TipFileName;

    // The tip text as the window is designed, before any tip is shown.
    static const char* const kDesignedTipText;
    // The setting that switches the tips at start-up.
    static const char* const kSettingsGroup;
    static const char* const kSettingsKey;

    QLabel* imgTip = nullptr;
    QLabel* lblTipdesTages = nullptr;
    QLabel* lblTipText = nullptr;
    QCheckBox* chkLoadTipsAtStartup = nullptr;
    QPushButton* cmdNextTip = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdTipsZeigen = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TipState state_;
};

} // namespace kinhom
