#pragma once
// The modal dialog that asks for the comment of a project before it is saved.
// It shows the current ProjektKommentar; "OK" keeps the typed text as the new
// comment, "Cancel" (also Esc) stores an empty comment. The comment is one
// line: Return in the box presses OK.

#include "ui/shell/kinform.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kinhom {

class frmCommentInput : public KinDialog {
    Q_OBJECT
public:
    explicit frmCommentInput(QWidget* parent = nullptr);

    void Form_Load() override;
    void cmdOK_Click();
    void cmdAbort_Click();
    void reject() override;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtDatComm = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdAbort = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace kinhom
